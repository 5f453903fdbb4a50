#pragma once
// What trevsolve finds out about one function project, and its two written forms: plain text
// with numbers as the graph window shows them (8 decimals, C locale, so scripts always see the
// same text) and JSON with every number at full precision.
#include "analysis/ExtremaScan.h"
#include "analysis/ProperIntegral.h"

#include <QString>
#include <QVector>

class FunctionProject;
class SolverOptions;

// A value the engine computed, or the engine's error code (then the value means nothing).
struct EngineValue {
    double value = 0;
    int code = 0;
    bool ok() const { return code == 0; }
};

// f, f' and f'' at one abscissa.
struct PointEvaluation {
    double x = 0;
    EngineValue f;
    EngineValue fPrime;
    EngineValue fSecond;
};

class SolverReport {
public:
    // Plain-text numbers carry as many decimals as the graph window's lists.
    static constexpr int Decimals = 8;

    // Runs the root scan, and whatever else the options ask for, on a loaded project.
    static SolverReport compute(const FunctionProject &project, const SolverOptions &options,
                                const QVector<double> &points);

    QString plainText() const;
    QString jsonText() const;

    // False when a requested section could not be computed because the engine could not form
    // f' or f'' (trevsolve then ends with status 3, "computed only in part").
    bool isComplete() const;

private:
    QString m_functionText;
    QString m_parameters;
    QString m_projectFile;
    double m_xMin = 0;
    double m_xMax = 0;
    int m_steps = 0;
    QVector<double> m_roots;
    bool m_hasExtrema = false;
    QVector<Extremum> m_extrema;
    bool m_hasIntegral = false;
    IntegralOutcome m_integral;
    // The engine's codes when it could not form f' or f'', else 0.
    int m_fPrimeFailure = 0;
    int m_fSecondFailure = 0;
    QVector<PointEvaluation> m_points;
    bool m_hasDerivatives = false;
    QString m_fPrimeText;   // null when the engine could not form the derivative
    QString m_fSecondText;
};
