#include "solver/SolverReport.h"

#include "analysis/RootScan.h"
#include "core/ErrorMessage.h"
#include "core/Expression.h"
#include "core/NumberFormat.h"
#include "project/FunctionProject.h"
#include "solver/JsonWriter.h"
#include "solver/SolverOptions.h"

#include <QLocale>

#include <utility>

namespace {

EngineValue evaluate(const Expression &expression, double x)
{
    EngineValue result;
    result.value = expression.evaluate(x, &result.code);
    return result;
}

// Numbers of the plain report: rounded like the graph window's lists, in the C locale.
QString shown(double value)
{
    return NumberFormat::roundedText(value, SolverReport::Decimals, QLocale::c());
}

QString rootsHeader(int count)
{
    if (count == 0)
        return QStringLiteral("No root found.");
    if (count == 1)
        return QStringLiteral("1 root found.");
    return QStringLiteral("%1 roots found.").arg(count);
}

QString extremaHeader(int count)
{
    if (count == 0)
        return QStringLiteral("No local extremum found.");
    if (count == 1)
        return QStringLiteral("1 local extremum found.");
    return QStringLiteral("%1 local extrema found.").arg(count);
}

// "f''(2) = 2", or "f''(2): <message>" when the engine could not evaluate it.
QString pointLine(const QString &name, const QString &x, const EngineValue &result)
{
    const QString call = name + QLatin1Char('(') + x + QLatin1Char(')');
    return result.ok() ? call + QStringLiteral(" = ") + shown(result.value)
                       : call + QStringLiteral(": ") + ErrorMessage(result.code);
}

QString derivativeLine(const QString &name, const QString &text)
{
    return text.isNull() ? name + QStringLiteral("(x): the engine could not form this derivative.")
                         : name + QStringLiteral("(x) = ") + text;
}

// The engine prints each parameter followed by "; "; the list reads better without the last one.
QString parameterList(const QString &engineText)
{
    QString list = engineText.trimmed();
    if (list.endsWith(QLatin1Char(';')))
        list.chop(1);
    return list;
}

// A computed value as a number, a failure as the engine's code with its message.
void writeEngineValue(JsonWriter &json, const EngineValue &result)
{
    if (result.ok()) {
        json.value(result.value);
        return;
    }
    json.beginObject();
    json.field(QStringLiteral("error"), result.code);
    json.field(QStringLiteral("message"), ErrorMessage(result.code));
    json.endObject();
}

} // namespace

SolverReport SolverReport::compute(const FunctionProject &project, const SolverOptions &options,
                                   const QVector<double> &points)
{
    SolverReport report;
    report.m_functionText = project.functionText();
    report.m_parameters = parameterList(project.f().parameters());
    report.m_projectFile = project.file();
    report.m_xMin = project.xMin();
    report.m_xMax = project.xMax();
    report.m_steps = project.rootSteps();
    report.m_roots = RootScan::run(project);

    if (options.wantsExtrema()) {
        report.m_hasExtrema = true;
        report.m_extrema = ExtremaScan::run(project);
    }
    if (options.wantsIntegral()) {
        report.m_hasIntegral = true;
        report.m_integral.value = project.f().integrate(project.xMin(), project.xMax(), &report.m_integral.code);
    }
    for (const double x : points)
        report.m_points.append({x, evaluate(project.f(), x), evaluate(project.fPrime(), x),
                                evaluate(project.fSecond(), x)});
    if (options.wantsDerivatives()) {
        report.m_hasDerivatives = true;
        // A null text marks a derivative that the engine refused to form.
        report.m_fPrimeText = project.fPrime().isNull() ? QString() : project.fPrime().text();
        report.m_fSecondText = project.fSecond().isNull() ? QString() : project.fSecond().text();
    }
    return report;
}

QString SolverReport::plainText() const
{
    QStringList lines;
    lines << rootsHeader(m_roots.size());
    for (const double root : m_roots)
        lines << shown(root);

    if (m_hasExtrema) {
        lines << QString() << extremaHeader(m_extrema.size());
        for (const Extremum &extremum : m_extrema)
            lines << shown(extremum.x) + QLatin1Char(' ') + shown(extremum.y) + QLatin1Char(' ')
                    + (extremum.isMinimum ? QStringLiteral("minimum") : QStringLiteral("maximum"));
    }
    if (m_hasIntegral) {
        const QString call = QStringLiteral("Integral from %1 to %2").arg(shown(m_xMin), shown(m_xMax));
        lines << QString()
              << (m_integral.ok() ? call + QStringLiteral(" = ") + shown(m_integral.value)
                                  : call + QStringLiteral(": ") + ErrorMessage(m_integral.code));
    }
    if (!m_points.isEmpty()) {
        lines << QString();
        for (const PointEvaluation &point : m_points) {
            const QString x = shown(point.x);
            lines << pointLine(QStringLiteral("f"), x, point.f) << pointLine(QStringLiteral("f'"), x, point.fPrime)
                  << pointLine(QStringLiteral("f''"), x, point.fSecond);
        }
    }
    if (m_hasDerivatives) {
        lines << QString() << derivativeLine(QStringLiteral("f'"), m_fPrimeText)
              << derivativeLine(QStringLiteral("f''"), m_fSecondText);
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString SolverReport::jsonText() const
{
    JsonWriter json;
    json.beginObject();
    json.field(QStringLiteral("function"), m_functionText);
    json.field(QStringLiteral("parameters"), m_parameters);
    if (!m_projectFile.isEmpty())
        json.field(QStringLiteral("project"), m_projectFile);
    json.key(QStringLiteral("interval"));
    json.beginObject();
    json.field(QStringLiteral("xMin"), m_xMin);
    json.field(QStringLiteral("xMax"), m_xMax);
    json.endObject();
    json.field(QStringLiteral("steps"), m_steps);

    json.key(QStringLiteral("roots"));
    json.beginArray();
    for (const double root : m_roots)
        json.value(root);
    json.endArray();

    if (m_hasExtrema) {
        json.key(QStringLiteral("extrema"));
        json.beginArray();
        for (const Extremum &extremum : m_extrema) {
            json.beginObject();
            json.field(QStringLiteral("x"), extremum.x);
            json.field(QStringLiteral("y"), extremum.y);
            json.field(QStringLiteral("type"), extremum.isMinimum ? QStringLiteral("minimum") : QStringLiteral("maximum"));
            json.endObject();
        }
        json.endArray();
    }
    if (m_hasIntegral) {
        json.key(QStringLiteral("integral"));
        json.beginObject();
        if (m_integral.ok()) {
            json.field(QStringLiteral("value"), m_integral.value);
        } else {
            json.field(QStringLiteral("error"), m_integral.code);
            json.field(QStringLiteral("message"), ErrorMessage(m_integral.code));
        }
        json.endObject();
    }
    if (!m_points.isEmpty()) {
        json.key(QStringLiteral("points"));
        json.beginArray();
        for (const PointEvaluation &point : m_points) {
            json.beginObject();
            json.field(QStringLiteral("x"), point.x);
            json.key(QStringLiteral("f"));
            writeEngineValue(json, point.f);
            json.key(QStringLiteral("fPrime"));
            writeEngineValue(json, point.fPrime);
            json.key(QStringLiteral("fSecond"));
            writeEngineValue(json, point.fSecond);
            json.endObject();
        }
        json.endArray();
    }
    if (m_hasDerivatives) {
        json.key(QStringLiteral("derivatives"));
        json.beginObject();
        for (const auto &[name, text] : {std::pair{QStringLiteral("fPrime"), m_fPrimeText},
                                         std::pair{QStringLiteral("fSecond"), m_fSecondText}}) {
            json.key(name);
            if (text.isNull())
                json.nullValue();
            else
                json.value(text);
        }
        json.endObject();
    }
    json.endObject();
    return json.text() + QLatin1Char('\n');
}
