// The number format of the history: 15 decimals, 15 significant digits, the user's decimal
// separator, and a text the engine reads back as the same number.
#include "core/NumberFormat.h"

#include <cmath>

#include <QTest>

#include <limits>

class TestHistoryNumber : public QObject {
    Q_OBJECT

private slots:
    void format_data();
    void format();
};

void TestHistoryNumber::format_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");

    const QLocale c = QLocale::c();
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale swedish(QLocale::Swedish, QLocale::Sweden);
    const QLocale arabic(QLocale::Arabic, QLocale::Egypt);

    QTest::newRow("integer") << 5.0 << c << "5";
    QTest::newRow("no leading blank for positive values") << 0.5 << c << "0.5";
    QTest::newRow("binary noise rounded away") << 19.62 << c << "19.62";
    QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << c << "0.3";
    QTest::newRow("one third: 15 significant digits") << 1.0 / 3 << c << "0.333333333333333";
    QTest::newRow("two thirds: last digit rounded") << 2.0 / 3 << c << "0.666666666666667";
    QTest::newRow("15 decimals cut before 15 digits") << 0.0001234567890123456 << c << "0.000123456789012";
    QTest::newRow("negative") << -2.5 << c << "-2.5";
    // Exact ties at the 15th decimal (odd multiples of 2^-16) go to the even neighbour.
    QTest::newRow("tie rounds down to even") << std::ldexp(1.0, -16) << c << "0.000015258789062";
    QTest::newRow("tie rounds up to even") << 3 * std::ldexp(1.0, -16) << c << "0.000045776367188";
    QTest::newRow("negative tie to even") << -std::ldexp(1.0, -16) << c << "-0.000015258789062";
    QTest::newRow("below the 15th decimal is zero") << 4e-16 << c << "0";
    QTest::newRow("negative zero") << -0.0 << c << "0";
    QTest::newRow("tiny negative is zero, not -0") << -1e-17 << c << "0";
    QTest::newRow("smallest shown value") << 1e-15 << c << "0.000000000000001";
    QTest::newRow("large integer without exponent") << 1e20 << c << "100000000000000000000";
    QTest::newRow("more than 15 digits rounded") << 123456789012345678.0 << c << "123456789012346000";
    QTest::newRow("decimals dropped past 15 digits") << 1e15 + 0.25 << c << "1000000000000000";
    QTest::newRow("rounding carries into a new digit") << 0.9999999999999999 << c << "1";
    QTest::newRow("US: point, no group separator") << 1234567.891 << us << "1234567.891";
    QTest::newRow("German: decimal comma, no group separator") << 1234567.891 << german << "1234567,891";
    QTest::newRow("German negative") << -0.75 << german << "-0,75";
    QTest::newRow("Swedish: ASCII minus") << -0.5 << swedish << "-0,5";
    QTest::newRow("Arabic: ASCII digits, point") << 12.5 << arabic << "12.5";
    QTest::newRow("largest double") << std::numeric_limits<double>::max() << c
                                    << "179769313486232" + QString(294, QLatin1Char('0'));
}

void TestHistoryNumber::format()
{
    QFETCH(double, value);
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QCOMPARE(NumberFormat::historyText(value, locale), text);
}

QTEST_GUILESS_MAIN(TestHistoryNumber)
#include "tst_historynumber.moc"
