#include "dialogs/GraphSettingsModel.h"

#include "core/ErrorMessage.h"
#include "core/LangText.h"
#include "core/MathEngine.h"
#include "core/NumberFormat.h"
#include "core/NumberReader.h"
#include "core/ProgramSettings.h"

#include <algorithm>
#include <cmath>

namespace {

const QString Blank = QStringLiteral(" ");

// The same view, counts, colours and title.
bool sameView(const FunctionProject &a, const FunctionProject &b)
{
    return a.xMin() == b.xMin() && a.xMax() == b.xMax() && a.rootSteps() == b.rootSteps() && a.yMin() == b.yMin()
        && a.yMax() == b.yMax() && a.graphPoints() == b.graphPoints() && a.graphColor() == b.graphColor()
        && a.gridColor() == b.gridColor() && a.axesColor() == b.axesColor() && a.title() == b.title();
}

bool sameInterval(const FunctionProject &a, const FunctionProject &b)
{
    return a.xMin() == b.xMin() && a.xMax() == b.xMax() && a.rootSteps() == b.rootSteps();
}

// Written so that a NaN bound fails as well.
bool lengthAllowed(double low, double high)
{
    const ProgramSettings &settings = programSettings();
    const double length = high - low;
    return low < high && length >= settings.MinLen && length <= settings.MaxLen;
}

} // namespace

GraphSettingsModel::GraphSettingsModel(FunctionProject &project) : m_project(project)
{
    m_backup.copyViewFrom(project);
}

QString GraphSettingsModel::boundText(double value, const QLocale &locale)
{
    QString text = NumberFormat::generalText(value, QLocale::c());
    if (text.contains(QLatin1Char('E')) && std::isfinite(value)) {
        // 15 significant digits as plain digits.
        const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
        const int decimals = std::max(0, NumberFormat::SignificantDigits - 1 - magnitude);
        text = QString::number(value, 'f', decimals);
        if (text.contains(QLatin1Char('.'))) {
            while (text.endsWith(QLatin1Char('0')))
                text.chop(1);
            if (text.endsWith(QLatin1Char('.')))
                text.chop(1);
        }
    }
    // The engine reads "," as a decimal point too; other separators it would refuse.
    if (locale.decimalPoint() == QStringLiteral(","))
        text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

bool GraphSettingsModel::parseCount(const QString &text, qint32 minimum, qint32 maximum, qint32 &count)
{
    return NumberReader::userInteger(text, minimum, maximum, count);
}

QString GraphSettingsModel::lengthMessage(const QString &prefix)
{
    const ProgramSettings &settings = programSettings();
    return prefix + Blank + LangText("Should", "should be between") + Blank + NumberFormat::generalText(settings.MinLen)
        + Blank + LangText("And", "and") + Blank + NumberFormat::generalText(settings.MaxLen) + QStringLiteral(".");
}

QString GraphSettingsModel::graphPointsMessage()
{
    return LangText("NumberPoints", "The number of points must be an integer between") + Blank
        + QString::number(FunctionProject::MinGraphPoints) + Blank + LangText("And", "and") + Blank
        + QString::number(FunctionProject::MaxGraphPoints) + QStringLiteral(" !");
}

QString GraphSettingsModel::rootStepsMessage()
{
    return LangText("NumberSteps", "The number of steps must be an integer between") + Blank
        + QString::number(FunctionProject::MinRootSteps) + Blank + LangText("And", "and") + Blank
        + QString::number(FunctionProject::MaxRootSteps) + QStringLiteral(" !");
}

QString GraphSettingsModel::typeValueMessage() { return LangText("TypeValue", "Type a value."); }

GraphSettingsFields GraphSettingsModel::fields(const QLocale &locale) const
{
    GraphSettingsFields fields;
    fields.xMin = boundText(m_project.xMin(), locale);
    fields.xMax = boundText(m_project.xMax(), locale);
    fields.yMin = boundText(m_project.yMin(), locale);
    fields.yMax = boundText(m_project.yMax(), locale);
    fields.graphPoints = NumberFormat::generalText(m_project.graphPoints(), locale);
    fields.rootSteps = NumberFormat::generalText(m_project.rootSteps(), locale);
    fields.title = m_project.title();
    fields.graphColor = m_project.graphColor();
    fields.axesColor = m_project.axesColor();
    fields.gridColor = m_project.gridColor();
    return fields;
}

GraphSettingsFields GraphSettingsModel::defaultFields(const QLocale &locale) const
{
    GraphSettingsFields fields;
    fields.xMin = boundText(-DefaultBound, locale);
    fields.xMax = boundText(DefaultBound, locale);
    fields.yMin = fields.xMin;
    fields.yMax = fields.xMax;
    fields.graphPoints = NumberFormat::generalText(DefaultGraphPoints, locale);
    fields.rootSteps = NumberFormat::generalText(DefaultRootSteps, locale);
    fields.title = m_project.functionText() + QStringLiteral("=0");
    fields.graphColor = FunctionProject::DefaultGraphColor;
    fields.axesColor = FunctionProject::DefaultAxesColor;
    fields.gridColor = FunctionProject::DefaultGridColor;
    return fields;
}

bool GraphSettingsModel::evaluateBound(const QString &text, double current, Mode mode, GraphSettingsField field,
                                       double &value, GraphSettingsOutcome &outcome) const
{
    if (text.trimmed().isEmpty()) {
        outcome.faultyField = field;
        outcome.message = typeValueMessage();
        return false;
    }
    if (text == boundText(current)) {
        value = current;
        return true;
    }
    EngineError error;
    value = MathEngine::evaluateConstant(text, &error);
    if (!error.ok()) {
        outcome.faultyField = field;
        outcome.message = ErrorMessage(error.code);
        if (mode == Mode::Apply)
            outcome.caret = std::clamp(error.position - 1, 0, static_cast<int>(text.size()));
        return false;
    }
    return true;
}

GraphSettingsOutcome GraphSettingsModel::check(const GraphSettingsFields &fields, Mode mode,
                                               FunctionProject &scratch) const
{
    GraphSettingsOutcome outcome;
    double xMin = 0;
    double xMax = 0;
    double yMin = 0;
    double yMax = 0;
    if (!evaluateBound(fields.xMin, m_project.xMin(), mode, GraphSettingsField::XMin, xMin, outcome)
        || !evaluateBound(fields.xMax, m_project.xMax(), mode, GraphSettingsField::XMax, xMax, outcome)
        || !evaluateBound(fields.yMin, m_project.yMin(), mode, GraphSettingsField::YMin, yMin, outcome)
        || !evaluateBound(fields.yMax, m_project.yMax(), mode, GraphSettingsField::YMax, yMax, outcome))
        return outcome;

    // From here on a refusal names the field; only the preview says why.
    const auto refuse = [&outcome, mode](GraphSettingsField field, const QString &message) {
        outcome.faultyField = field;
        if (mode == Mode::Preview)
            outcome.message = message;
        return outcome;
    };
    if (!lengthAllowed(xMin, xMax))
        return refuse(GraphSettingsField::XMin, lengthMessage(QStringLiteral("Xmax-Xmin")));
    if (!lengthAllowed(yMin, yMax))
        return refuse(GraphSettingsField::YMin, lengthMessage(QStringLiteral("Ymax-Ymin")));
    qint32 graphPoints = 0;
    if (!parseCount(fields.graphPoints, FunctionProject::MinGraphPoints, FunctionProject::MaxGraphPoints, graphPoints))
        return refuse(GraphSettingsField::GraphPoints, graphPointsMessage());
    qint32 rootSteps = 0;
    if (!parseCount(fields.rootSteps, FunctionProject::MinRootSteps, FunctionProject::MaxRootSteps, rootSteps))
        return refuse(GraphSettingsField::RootSteps, rootStepsMessage());

    scratch.setXMin(xMin);
    scratch.setXMax(xMax);
    scratch.setYMin(yMin);
    scratch.setYMax(yMax);
    scratch.setGraphPoints(graphPoints);
    scratch.setRootSteps(rootSteps);
    scratch.setGraphColor(fields.graphColor);
    scratch.setAxesColor(fields.axesColor);
    scratch.setGridColor(fields.gridColor);
    scratch.setTitle(fields.title);
    return outcome;
}

GraphSettingsOutcome GraphSettingsModel::update(const GraphSettingsFields &fields, Mode mode)
{
    FunctionProject scratch;
    GraphSettingsOutcome outcome = check(fields, mode, scratch);
    if (!outcome.accepted())
        return outcome;
    outcome.intervalChanged = !sameInterval(scratch, m_project);
    outcome.changed = !sameView(scratch, m_project);
    if (outcome.changed)
        m_project.copyViewFrom(scratch);
    return outcome;
}

GraphSettingsOutcome GraphSettingsModel::preview(const GraphSettingsFields &fields)
{
    return update(fields, Mode::Preview);
}

GraphSettingsOutcome GraphSettingsModel::apply(const GraphSettingsFields &fields)
{
    return update(fields, Mode::Apply);
}

GraphSettingsOutcome GraphSettingsModel::cancel()
{
    GraphSettingsOutcome outcome;
    outcome.intervalChanged = !sameInterval(m_backup, m_project);
    outcome.changed = !sameView(m_backup, m_project);
    if (outcome.changed)
        m_project.copyViewFrom(m_backup);
    return outcome;
}
