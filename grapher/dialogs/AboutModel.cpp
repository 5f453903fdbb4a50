#include "dialogs/AboutModel.h"

#include "core/Expression.h"
#include "core/LangText.h"
#include "core/NumberFormat.h"
#include "core/Version.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

namespace {

QString &lastSpeedTestFunction()
{
    static QString function =
        QStringLiteral("sin(2*x)^cos(3*x)*(cos(4*x)/sin(5*x)*cos(7*x)-sin(x))+ln(x/sqrt(x^2))");
    return function;
}

// Keeps the optimiser from dropping evaluations whose values nobody reads.
volatile double speedTestSink = 0;

} // namespace

QString AboutModel::caption() { return LangText("About", "About Trevolin"); }

QString AboutModel::versionText(const QDateTime &programFileTime, const QLocale &locale)
{
    const QString first = QStringLiteral("Trevolin ") + VersionText() + QLatin1Char(' ')
        + LangText("BuildNumber", "Build") + QLatin1Char(' ') + QString::number(VersionBuild);
    const QString second = programFileTime.isValid() ? locale.toString(programFileTime, QLocale::ShortFormat) : QString();
    const QString third = LangText("AboutLine", "Equation solver and function grapher");
    return first + QLatin1Char('\n') + second + QLatin1Char('\n') + third;
}

QDateTime AboutModel::programFileTime()
{
    const QString program = QCoreApplication::applicationFilePath();
    return program.isEmpty() ? QDateTime() : QFileInfo(program).lastModified();
}

QString AboutModel::supportText() { return LangText("Support", "Free technical support") + QStringLiteral(" : "); }

QString AboutModel::thankYouText() { return LangText("ThankYou", "Thank you"); }

QString AboutModel::noWebSiteText()
{
    return LangText("NoWebSite", "Trevolin has no web site yet. Its help pages come with the program: "
                                 "Help > Main help.");
}

QString AboutModel::speedTestFunction() { return lastSpeedTestFunction(); }

void AboutModel::setSpeedTestFunction(const QString &function) { lastSpeedTestFunction() = function; }

bool AboutModel::runSpeedTest(const QString &function, qint64 &elapsedMilliseconds)
{
    const Expression f = Expression::parse(function);
    if (f.isNull())
        return false;
    QElapsedTimer timer;
    timer.start();
    double sum = 0;
    for (int i = 1; i <= SpeedTestEvaluations; ++i) {
        qint32 code = 0;
        sum += f.evaluate(static_cast<double>(i), code);
    }
    elapsedMilliseconds = timer.elapsed();
    speedTestSink = sum;
    return true;
}

QString AboutModel::speedTestText(const QString &function, qint64 elapsedMilliseconds, const QLocale &locale)
{
    const double seconds = static_cast<double>(elapsedMilliseconds) * 0.001;
    return function + QLatin1Char('\n') + QString::number(SpeedTestEvaluations) + QLatin1Char(' ')
        + LangText("EvaluationsIn", "evaluations in") + QLatin1Char(' ') + NumberFormat::generalText(seconds, locale)
        + QLatin1Char(' ') + LangText("Seconds", "seconds");
}
