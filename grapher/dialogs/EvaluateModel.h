#pragma once
// What the evaluate dialog computes, without the dialog: f(x), f'(x) and f''(x) of a project at
// a typed value, as the three boxes show them, and where a marker goes on the graph.
//
// The texts are rounded to the Decimals setting (halves to even) in the user's locale. Where f
// fails the value box reads "Error" and the engine's message goes to the error label; where a
// derivative fails its box says that the function before it is not differentiable there, with
// no message of its own.
#include "dialogs/ValueInput.h"

#include <QLocale>
#include <QString>

class FunctionProject;

struct EvaluateOutcome {
    QString value;              // f(x)
    QString firstDerivative;    // f'(x)
    QString secondDerivative;   // f''(x)
    QString message;            // for the error label; empty when f(x) is a value
    bool redraw = false;        // the graph is redrawn first, erasing an earlier marker
    bool marked = false;        // f(x) is a value: a marker goes to (x, y)
    double x = 0;
    double y = 0;
    QString markerLabel;        // the coordinates written beside the marker
};

class EvaluateModel {
public:
    // Keeps `project` (not owned; it must outlive the model).
    explicit EvaluateModel(const FunctionProject &project);

    // The evaluation for the text of the x box, numbers rounded to `decimals` places.
    EvaluateOutcome evaluate(const QString &xText, int decimals, const QLocale &locale = QLocale()) const;
    // The same with the Decimals setting.
    EvaluateOutcome evaluate(const QString &xText) const;

    // Enter or a click on the error label: whether the x box takes the focus (an empty or
    // invalid value, or a value where f, f' or f'' fails) and, for an invalid value, where the
    // caret goes (-1: the whole text is selected).
    bool needsFocus(const QString &xText, int *caret) const;

    // "(x; y)" as written beside the marker.
    static QString coordinatesText(double x, double y, int decimals, const QLocale &locale = QLocale());

private:
    const FunctionProject &m_project;
};
