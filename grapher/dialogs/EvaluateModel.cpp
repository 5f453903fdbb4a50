#include "dialogs/EvaluateModel.h"

#include "core/ErrorMessage.h"
#include "core/LangText.h"
#include "core/NumberFormat.h"
#include "core/ProgramSettings.h"
#include "project/FunctionProject.h"

EvaluateModel::EvaluateModel(const FunctionProject &project) : m_project(project) {}

EvaluateOutcome EvaluateModel::evaluate(const QString &xText, int decimals, const QLocale &locale) const
{
    EvaluateOutcome outcome;
    const ValueInput input = ValueInput::read(xText);
    if (input.state == ValueInput::State::Empty) {
        outcome.message = input.message();
        return outcome;
    }
    outcome.redraw = true;
    if (!input.isValid()) {
        outcome.message = input.message();
        return outcome;
    }

    const double x = input.value;
    qint32 code = 0;
    const double y = m_project.f().evaluate(x, code);
    if (code != 0) {
        outcome.message = ErrorMessage(code);
        outcome.value = LangText("Error", "Error");
    } else {
        outcome.value = NumberFormat::roundedText(y, decimals, locale);
        outcome.marked = true;
        outcome.x = x;
        outcome.y = y;
        outcome.markerLabel = coordinatesText(x, y, decimals, locale);
    }
    // The derivatives are shown whether f itself is defined or not.
    const double slope = m_project.fPrime().evaluate(x, code);
    outcome.firstDerivative = code == 0 ? NumberFormat::roundedText(slope, decimals, locale)
                                        : LangText("Diff", "f not differentiable");
    const double curvature = m_project.fSecond().evaluate(x, code);
    outcome.secondDerivative = code == 0 ? NumberFormat::roundedText(curvature, decimals, locale)
                                         : LangText("Diff1", "f' not differentiable");
    return outcome;
}

EvaluateOutcome EvaluateModel::evaluate(const QString &xText) const
{
    return evaluate(xText, programSettings().Decimals);
}

bool EvaluateModel::needsFocus(const QString &xText, int *caret) const
{
    const ValueInput input = ValueInput::read(xText);
    if (caret)
        *caret = input.caret;
    if (!input.isValid())
        return true;
    qint32 code = 0;
    for (const Expression *expression : {&m_project.f(), &m_project.fPrime(), &m_project.fSecond()}) {
        expression->evaluate(input.value, code);
        if (code != 0)
            return true;
    }
    return false;
}

QString EvaluateModel::coordinatesText(double x, double y, int decimals, const QLocale &locale)
{
    return QLatin1Char('(') + NumberFormat::roundedText(x, decimals, locale) + QStringLiteral("; ")
        + NumberFormat::roundedText(y, decimals, locale) + QLatin1Char(')');
}
