#include "solver/SolverReport.h"

#include "analysis/RootScan.h"
#include "core/ErrorMessage.h"
#include "core/Expression.h"
#include "core/NumberFormat.h"
#include "project/FunctionProject.h"
#include "solver/JsonWriter.h"
#include "solver/SolverOptions.h"

#include <QLocale>

#include <tuple>
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

// "the engine could not form f''(x): <message>"
QString notFormed(const QString &name, int code)
{
    return QStringLiteral("the engine could not form %1(x): %2").arg(name, ErrorMessage(code));
}

QString derivativeLine(const QString &name, const QString &text, int failure)
{
    return failure != 0 ? name + QStringLiteral("(x): ") + notFormed(name, failure)
                        : name + QStringLiteral("(x) = ") + text;
}

// The first derivative of those a section needs that the engine could not form: f', then f''.
QString missingDerivative(int fPrimeFailure, int fSecondFailure)
{
    return fPrimeFailure != 0 ? notFormed(QStringLiteral("f'"), fPrimeFailure)
                              : notFormed(QStringLiteral("f''"), fSecondFailure);
}

void writeFailure(JsonWriter &json, const QString &key, int code, const QString &message)
{
    json.key(key);
    json.beginObject();
    json.field(QStringLiteral("error"), code);
    json.field(QStringLiteral("message"), message);
    json.endObject();
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
    report.m_fPrimeFailure = ExtremaScan::formFailure(project.fPrime());
    report.m_fSecondFailure = ExtremaScan::formFailure(project.fSecond());
    // Every sign change of f is refined with f': without it the roots are not computed at all.
    if (report.m_fPrimeFailure == 0)
        report.m_roots = RootScan::run(project);

    if (options.wantsExtrema()) {
        report.m_hasExtrema = true;
        if (report.m_fPrimeFailure == 0 && report.m_fSecondFailure == 0)
            report.m_extrema = ExtremaScan::run(project);
    }
    if (options.wantsIntegral()) {
        report.m_hasIntegral = true;
        report.m_integral = ProperIntegral::compute(project.f(), project.xMin(), project.xMax());
    }
    for (const double x : points)
        report.m_points.append({x, evaluate(project.f(), x), evaluate(project.fPrime(), x),
                                evaluate(project.fSecond(), x)});
    if (options.wantsDerivatives()) {
        report.m_hasDerivatives = true;
        report.m_fPrimeText = report.m_fPrimeFailure != 0 ? QString() : project.fPrime().text();
        report.m_fSecondText = report.m_fSecondFailure != 0 ? QString() : project.fSecond().text();
    }
    return report;
}

bool SolverReport::isComplete() const
{
    // The roots need both: f' for every sign change, f'' where f only touches zero.
    return m_fPrimeFailure == 0 && m_fSecondFailure == 0;
}

QString SolverReport::plainText() const
{
    QStringList lines;
    if (m_fPrimeFailure != 0)
        lines << QStringLiteral("Roots not computed: ") + missingDerivative(m_fPrimeFailure, 0);
    else
        lines << rootsHeader(m_roots.size());
    for (const double root : m_roots)
        lines << shown(root);
    if (m_fPrimeFailure == 0 && m_fSecondFailure != 0)
        lines << QStringLiteral("Roots where f only touches zero were not searched: ")
                + missingDerivative(0, m_fSecondFailure);

    if (m_hasExtrema && (m_fPrimeFailure != 0 || m_fSecondFailure != 0)) {
        lines << QString()
              << QStringLiteral("Local extrema not computed: ") + missingDerivative(m_fPrimeFailure, m_fSecondFailure);
    } else if (m_hasExtrema) {
        lines << QString() << extremaHeader(m_extrema.size());
        for (const Extremum &extremum : m_extrema)
            lines << shown(extremum.x) + QLatin1Char(' ') + shown(extremum.y) + QLatin1Char(' ')
                    + (extremum.isMinimum ? QStringLiteral("minimum") : QStringLiteral("maximum"));
    }
    if (m_hasIntegral) {
        const QString call = QStringLiteral("Integral from %1 to %2").arg(shown(m_xMin), shown(m_xMax));
        lines << QString()
              << (m_integral.pole        ? call + QStringLiteral(": ") + ProperIntegral::poleMessage(shown(m_integral.poleX))
                  : m_integral.code == 0 ? call + QStringLiteral(" = ") + shown(m_integral.value)
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
        lines << QString() << derivativeLine(QStringLiteral("f'"), m_fPrimeText, m_fPrimeFailure)
              << derivativeLine(QStringLiteral("f''"), m_fSecondText, m_fPrimeFailure ? m_fPrimeFailure : m_fSecondFailure);
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

    // A section that could not be computed is null, followed by "<section>Error".
    json.key(QStringLiteral("roots"));
    if (m_fPrimeFailure != 0) {
        json.nullValue();
    } else {
        json.beginArray();
        for (const double root : m_roots)
            json.value(root);
        json.endArray();
    }
    if (m_fPrimeFailure != 0 || m_fSecondFailure != 0)
        writeFailure(json, QStringLiteral("rootsError"), m_fPrimeFailure ? m_fPrimeFailure : m_fSecondFailure,
                     missingDerivative(m_fPrimeFailure, m_fSecondFailure));

    if (m_hasExtrema && (m_fPrimeFailure != 0 || m_fSecondFailure != 0)) {
        json.key(QStringLiteral("extrema"));
        json.nullValue();
        writeFailure(json, QStringLiteral("extremaError"), m_fPrimeFailure ? m_fPrimeFailure : m_fSecondFailure,
                     missingDerivative(m_fPrimeFailure, m_fSecondFailure));
    } else if (m_hasExtrema) {
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
        if (m_integral.pole) {
            json.field(QStringLiteral("pole"), m_integral.poleX);
            json.field(QStringLiteral("message"), ProperIntegral::poleMessage(shown(m_integral.poleX)));
        } else if (m_integral.code == 0) {
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
        const int secondFailure = m_fPrimeFailure ? m_fPrimeFailure : m_fSecondFailure;
        for (const auto &[name, text, failure, shownName] :
             {std::tuple{QStringLiteral("fPrime"), m_fPrimeText, m_fPrimeFailure, QStringLiteral("f'")},
              std::tuple{QStringLiteral("fSecond"), m_fSecondText, secondFailure, QStringLiteral("f''")}}) {
            json.key(name);
            if (failure != 0) {
                json.nullValue();
                writeFailure(json, name + QStringLiteral("Error"), failure, notFormed(shownName, failure));
            } else {
                json.value(text);
            }
        }
        json.endObject();
    }
    json.endObject();
    return json.text() + QLatin1Char('\n');
}
