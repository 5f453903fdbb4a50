#include "dialogs/IntegrateModel.h"

#include "analysis/ProperIntegral.h"
#include "core/ErrorMessage.h"
#include "core/LangText.h"
#include "core/NumberFormat.h"
#include "project/FunctionProject.h"

namespace {

QString prefixed(const QString &name, const QString &message) { return name + QStringLiteral(": ") + message; }

} // namespace

IntegrateModel::IntegrateModel(const FunctionProject &project) : m_project(project) {}

QString IntegrateModel::startName() { return LangText("Start", "Start"); }

QString IntegrateModel::endName() { return LangText("End", "End"); }

IntegrateOutcome IntegrateModel::compute(const QString &startText, const QString &endText, const QLocale &locale) const
{
    IntegrateOutcome outcome;
    const ValueInput start = ValueInput::read(startText);
    if (start.state == ValueInput::State::Empty) {
        outcome.message = prefixed(startName(), start.message());
        return outcome;
    }
    outcome.redraw = true;
    if (!start.isValid()) {
        outcome.message = prefixed(startName(), start.message());
        return outcome;
    }
    const ValueInput end = ValueInput::read(endText);
    if (!end.isValid()) {
        outcome.message = prefixed(endName(), end.message());
        return outcome;
    }
    if (start.value > end.value) {
        outcome.message = LangText("StartEnd", "Start should be <= End !");
        return outcome;
    }

    outcome.shaded = true;
    outcome.x1 = start.value;
    outcome.x2 = end.value;
    const IntegralOutcome integral = ProperIntegral::compute(m_project.f(), start.value, end.value);
    if (integral.pole)
        outcome.message = ProperIntegral::poleMessage(NumberFormat::roundedText(integral.poleX, Decimals, locale));
    else if (integral.code != 0)
        outcome.message = ErrorMessage(integral.code);
    else
        outcome.integral = NumberFormat::roundedText(integral.value, Decimals, locale);
    return outcome;
}

IntegrateModel::Box IntegrateModel::faultyBox(const QString &startText, const QString &endText, int *caret)
{
    const ValueInput start = ValueInput::read(startText);
    if (!start.isValid()) {
        if (caret)
            *caret = start.caret;
        return Box::Start;
    }
    const ValueInput end = ValueInput::read(endText);
    if (caret)
        *caret = end.caret;
    return end.isValid() ? Box::None : Box::End;
}
