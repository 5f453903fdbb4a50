#pragma once
// What the about box shows and its speed test of the engine, without the window: the texts,
// the function last tested in this run, the timed evaluations and the result line.
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QtGlobal>

class AboutModel {
public:
    // The speed test evaluates the function at x = 1, 2, ..., SpeedTestEvaluations.
    static constexpr int SpeedTestEvaluations = 200000;

    static QString caption();
    // Three lines: "Trevolin 2.36 Build 969", the date and time of the program file, and what
    // the program is.
    static QString versionText(const QDateTime &programFileTime, const QLocale &locale = QLocale());
    // The modification time of the running program's file.
    static QDateTime programFileTime();
    // "Free technical support : ", followed in the box by the contact link.
    static QString supportText();
    static QString thankYouText();
    // What the web items say while the product has no web site.
    static QString noWebSiteText();

    // The function the input box proposes: the last one entered in this run, at first a long
    // expression that exercises most of the evaluator.
    static QString speedTestFunction();
    static void setSpeedTestFunction(const QString &function);

    // Parses `function` and evaluates it SpeedTestEvaluations times; false, with nothing
    // evaluated, when it does not parse. Failed evaluations count like the others.
    static bool runSpeedTest(const QString &function, qint64 &elapsedMilliseconds);
    // The result box's text: the function, a line break, then "200000 evaluations in 0.25
    // seconds" with the seconds in the user's number format.
    static QString speedTestText(const QString &function, qint64 elapsedMilliseconds,
                                 const QLocale &locale = QLocale());
};
