#include "dialogs/NewProjectWizardModel.h"

#include "core/ErrorMessage.h"
#include "core/LangText.h"
#include "core/MathEngine.h"
#include "core/NumberFormat.h"
#include "core/ProgramSettings.h"

#include <algorithm>

int NewProjectWizardModel::s_lastExample = 0;

namespace {

// Random moves at least one and at most this many places round the examples.
constexpr int LongestExampleStep = 4;

WizardCheck refusal(WizardField field, const QString &message, int caret = 0)
{
    WizardCheck outcome;
    outcome.faultyField = field;
    outcome.message = message;
    outcome.caret = caret;
    return outcome;
}

// An engine error in `text`: the caret goes before the character the engine names.
WizardCheck engineRefusal(WizardField field, const EngineError &error, const QString &text)
{
    return refusal(field, ErrorMessage(error.code), std::clamp(error.position - 1, 0, static_cast<int>(text.size())));
}

} // namespace

NewProjectWizardModel::NewProjectWizardModel() { m_history.load(); }

QString NewProjectWizardModel::lengthMessage(const QString &comparison, double limit)
{
    return LangText("Length", "The interval length should be") + comparison + NumberFormat::generalText(limit)
        + QStringLiteral(".");
}

WizardCheck NewProjectWizardModel::check(const EquationEntry &texts)
{
    if (texts.function.isEmpty())
        return refusal(WizardField::Function, LangText("TypeFunction", "Type the function name."));
    EngineError error;
    Expression f = Expression::parse(texts.function, texts.parameters, &error);
    if (!error.ok() || f.isNull())
        return engineRefusal(WizardField::Function, error, texts.function);

    if (texts.start.isEmpty())
        return refusal(WizardField::Start, LangText("TypeStart", "Type the start value."));
    const double start = MathEngine::evaluateConstant(texts.start, &error);
    if (!error.ok())
        return engineRefusal(WizardField::Start, error, texts.start);

    if (texts.end.isEmpty())
        return refusal(WizardField::End, LangText("TypeEnd", "Type the end value."));
    const double end = MathEngine::evaluateConstant(texts.end, &error);
    if (!error.ok())
        return engineRefusal(WizardField::End, error, texts.end);

    // Written so that a value that is no number is refused as well.
    if (!(start < end))
        return refusal(WizardField::Start, LangText("Build", "The two values don't build an interval."));
    const ProgramSettings &settings = programSettings();
    if (end - start > settings.MaxLen)
        return refusal(WizardField::Start, lengthMessage(QStringLiteral(" <= "), settings.MaxLen));
    if (end - start < settings.MinLen)
        return refusal(WizardField::Start, lengthMessage(QStringLiteral(" >= "), settings.MinLen));

    WizardCheck outcome;
    outcome.f = std::move(f);
    outcome.start = start;
    outcome.end = end;
    return outcome;
}

std::unique_ptr<FunctionProject> NewProjectWizardModel::accept(const EquationEntry &texts, WizardCheck &outcome)
{
    outcome = check(texts);
    if (!outcome.passed())
        return nullptr;
    const EquationEntry trimmed{texts.function.trimmed(), texts.parameters.trimmed(), texts.start.trimmed(),
                                texts.end.trimmed()};
    auto project = std::make_unique<FunctionProject>();
    project->load(trimmed.function, std::move(outcome.f), outcome.start, outcome.end);
    m_history.record(trimmed);
    // Stored at once, so that an accepted equation survives whatever happens to the program.
    m_history.save();
    return project;
}

WizardPreviewCurve NewProjectWizardModel::previewCurve(const Expression &f, double start, double end)
{
    WizardPreviewCurve curve;
    curve.start = start;
    curve.end = end;
    // The view of a new project: the interval itself when it spans zero, otherwise a view as
    // high as the interval is wide, centred on y = 0.
    if ((start < 0) != (end < 0)) {
        curve.yMin = start;
        curve.yMax = end;
    } else {
        curve.yMin = (start - end) / 2;
        curve.yMax = -curve.yMin;
    }
    curve.showXAxis = curve.yMin <= 0 && 0 < curve.yMax;
    curve.showYAxis = start <= 0 && 0 < end;

    const double step = (end - start) / (PreviewPoints - 1);
    double x = start;
    bool penDown = false;
    for (int point = 0; point < PreviewPoints; ++point, x += step) {
        int code = 0;
        const double y = f.evaluate(x, &code);
        // Also lifts the pen for a value that is no number.
        if (code != 0 || !(y >= curve.yMin && y <= curve.yMax)) {
            penDown = false;
            continue;
        }
        if (!penDown) {
            curve.strokes.append(QList<QPointF>());
            penDown = true;
        }
        curve.strokes.last().append(QPointF(x, y));
    }
    return curve;
}

const std::array<WizardExample, NewProjectWizardModel::ExampleCount> &NewProjectWizardModel::examples()
{
    return ExampleEquations;
}

int NewProjectWizardModel::nextExample(int last, double randomFraction)
{
    const int step = std::clamp(static_cast<int>(randomFraction * LongestExampleStep), 0, LongestExampleStep - 1) + 1;
    const int from = ((last % ExampleCount) + ExampleCount) % ExampleCount;
    return (from + step) % ExampleCount;
}

std::unique_ptr<FunctionProject> NewProjectWizardModel::randomProject(double randomFraction)
{
    s_lastExample = nextExample(s_lastExample, randomFraction);
    const WizardExample &example = ExampleEquations.at(static_cast<std::size_t>(s_lastExample));
    return createProject(QString::fromLatin1(example.function), example.start, example.end,
                         QString::fromLatin1(example.parameters));
}

std::unique_ptr<FunctionProject> NewProjectWizardModel::createProject(const QString &function, double start, double end,
                                                                      const QString &parameters)
{
    Expression f = Expression::parse(function, parameters);
    if (f.isNull())
        return nullptr;
    auto project = std::make_unique<FunctionProject>();
    project->load(function, std::move(f), start, end);
    return project;
}
