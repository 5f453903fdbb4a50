#pragma once
// What the integrate dialog computes, without the dialog: the definite integral of a project's
// function between two typed values, as its box shows it (8 decimals, halves to even, in the
// user's locale), and the stretch of the graph to shade.
//
// The start value is checked first, then the end value, then their order; each refusal has
// its message (prefixed with the name of the faulty box) and stops the computation. Equal
// values are allowed and give 0.
#include "dialogs/ValueInput.h"

#include <QLocale>
#include <QString>

class FunctionProject;

struct IntegrateOutcome {
    QString integral;        // the result box; empty unless the integral is a value
    QString message;         // for the error label; empty when the integral is a value
    bool redraw = false;     // the graph is redrawn, erasing an earlier shading
    bool shaded = false;     // both values are valid and in order: [x1, x2] is shaded
    double x1 = 0;
    double x2 = 0;
};

class IntegrateModel {
public:
    static constexpr int Decimals = 8;

    enum class Box { None, Start, End };

    // Keeps `project` (not owned; it must outlive the model).
    explicit IntegrateModel(const FunctionProject &project);

    IntegrateOutcome compute(const QString &startText, const QString &endText,
                             const QLocale &locale = QLocale()) const;

    // Enter or a click on the error label: the first box that is empty or holds no valid value,
    // and for an invalid value where the caret goes (-1: the whole text is selected).
    static Box faultyBox(const QString &startText, const QString &endText, int *caret);

    // The names of the boxes, as the labels and the messages use them.
    static QString startName();
    static QString endName();

private:
    const FunctionProject &m_project;
};
