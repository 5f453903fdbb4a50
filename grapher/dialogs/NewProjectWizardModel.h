#pragma once
// What the new-project wizard does, without the window: the checks of the four texts (function,
// parameters, interval start and end, the bounds being constant expressions such as "-pi"),
// the project made from them on OK, the history, the sampling of the small preview, and the
// sixteen example equations of the Random button.
#include "project/ExampleEquations.h"
#include "dialogs/EquationHistory.h"
#include "project/FunctionProject.h"

#include <QList>
#include <QPointF>
#include <QString>

#include <array>
#include <memory>

// The wizard's boxes that a refusal can point at.
enum class WizardField { None, Function, Start, End };

// The result of checking the four texts. On success it holds the parsed function and the
// interval; on a refusal the box at fault, the message and where OK puts the caret in it.
struct WizardCheck {
    WizardField faultyField = WizardField::None;
    QString message;
    int caret = 0;
    Expression f;
    double start = 0;
    double end = 0;
    bool passed() const { return faultyField == WizardField::None; }
};

// The preview of a function over [start, end] in world coordinates: the vertical range, the
// axes that fall inside the view, and the pieces of the curve drawn without lifting the pen.
// The view shows a margin of a tenth of each range on every side.
struct WizardPreviewCurve {
    static constexpr double Margin = 0.1;
    double start = 0;
    double end = 0;
    double yMin = 0;
    double yMax = 0;
    bool showXAxis = false;   // y = 0 lies in [yMin, yMax)
    bool showYAxis = false;   // x = 0 lies in [start, end)
    QList<QList<QPointF>> strokes;
};

// One equation of the Random button.
using WizardExample = ExampleEquation;

class NewProjectWizardModel {
public:
    static constexpr int ExampleCount = int(ExampleEquations.size());
    // Points of the preview curve: 50 steps across the interval.
    static constexpr int PreviewPoints = 51;

    // Reads the history from the settings store.
    NewProjectWizardModel();

    EquationHistory &history() { return m_history; }
    const EquationHistory &history() const { return m_history; }

    // The checks shared by OK and the preview, in this order, the first refusal ending them:
    // the function is typed and parses (with the parameters when there are any), the start is
    // typed and evaluates, the same for the end, start < end, and the length end - start lies
    // within the MinLen and MaxLen settings. The texts go to the engine as typed.
    static WizardCheck check(const EquationEntry &texts);

    // OK: checks the texts and, when they pass, makes the project from the trimmed function
    // text and puts the trimmed texts at the front of the history, which is stored at once.
    // Null with `outcome` telling why when a check fails.
    std::unique_ptr<FunctionProject> accept(const EquationEntry &texts, WizardCheck &outcome);

    // "The interval length should be <= 10000." and the like.
    static QString lengthMessage(const QString &comparison, double limit);

    // The preview of `f` over [start, end]: the vertical range is that of a new project's view,
    // and the pen is lifted wherever the function fails or leaves that range.
    static WizardPreviewCurve previewCurve(const Expression &f, double start, double end);

    static const std::array<WizardExample, ExampleCount> &examples();
    // The example after `last` for a random fraction r in [0, 1): one to four places further
    // round the list, never the same one again.
    static int nextExample(int last, double randomFraction);
    // The example chosen last by Random; it keeps its place for the whole run.
    static int lastExample() { return s_lastExample; }
    static void setLastExample(int index) { s_lastExample = index; }
    // Random: moves on to the next example and makes its project (null when it does not
    // parse). The history is not touched.
    static std::unique_ptr<FunctionProject> randomProject(double randomFraction);

    // A project from an equation without any check of the interval; null when the function
    // does not parse.
    static std::unique_ptr<FunctionProject> createProject(const QString &function, double start, double end,
                                                          const QString &parameters);

private:
    static int s_lastExample;
    EquationHistory m_history;
};
