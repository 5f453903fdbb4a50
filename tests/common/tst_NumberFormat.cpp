// Numbers as text: the project file's encoding and prefix parser, rounding, and the numbers
// shown to the user in their locale.
#include "core/NumberFormat.h"
#include "core/NumberReader.h"

#include <QtTest>

#include <cmath>
#include <limits>

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void parsePrefix_data();
    void parsePrefix();
    void roundToInt32_data();
    void roundToInt32();
    void fileNumber_data();
    void fileNumber();
    void fileNumberReadsBack_data();
    void fileNumberReadsBack();
    void fileInteger_data();
    void fileInteger();
    void roundHalfEven_data();
    void roundHalfEven();
    void generalText_data();
    void generalText();
    void parseGeneralText_data();
    void parseGeneralText();
};

void TestNumberText::parsePrefix_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::addColumn<bool>("overflow");

    QTest::newRow("integer") << "10" << 10.0 << false;
    QTest::newRow("blank then minus") << " -10" << -10.0 << false;
    QTest::newRow("no zero before point") << " .5" << 0.5 << false;
    QTest::newRow("negative without zero") << "-.5" << -0.5 << false;
    QTest::newRow("exponent with E") << "1E+20" << 1e20 << false;
    QTest::newRow("comma stops the number") << "12,5" << 12.0 << false;
    QTest::newRow("not a number") << "abc" << 0.0 << false;
    QTest::newRow("empty") << "" << 0.0 << false;
    QTest::newRow("half") << "200.5" << 200.5 << false;
    QTest::newRow("second point stops") << "1.2.3" << 1.2 << false;
    QTest::newRow("letter E without digits") << "1e" << 1.0 << false;
    QTest::newRow("exponent sign without digits") << "1E+" << 1.0 << false;
    QTest::newRow("exponent with D") << "2D3" << 2000.0 << false;
    QTest::newRow("exponent with lower d") << "2d-3" << 0.002 << false;
    QTest::newRow("plus sign") << "+7" << 7.0 << false;
    QTest::newRow("blank after sign") << "- 5" << 0.0 << false;
    QTest::newRow("tab and blanks skipped") << "\t  3" << 3.0 << false;
    QTest::newRow("trailing letters") << "12abc" << 12.0 << false;
    QTest::newRow("point without digits") << ".e5" << 0.0 << false;
    QTest::newRow("trailing point") << "5." << 5.0 << false;
    QTest::newRow("too large") << "1e999" << 0.0 << true;
    QTest::newRow("four hundred nines") << QString(400, QLatin1Char('9')) << 0.0 << true;
    QTest::newRow("too small is zero") << "1e-999" << 0.0 << false;
    QTest::newRow("zero with a huge exponent") << "0E99999" << 0.0 << false;
}

void TestNumberText::parsePrefix()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QFETCH(bool, overflow);
    bool tooLarge = false;
    const double value = NumberReader::parseNumberPrefix(text, &tooLarge);
    QCOMPARE(tooLarge, overflow);
    // Exact: the parser must give the double nearest to the decimal text.
    QCOMPARE(value, expected);
}

void TestNumberText::roundToInt32_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("expected");

    QTest::newRow("half goes down to even") << 200.5 << true << 200;
    QTest::newRow("half goes up to even") << 201.5 << true << 202;
    QTest::newRow("negative half to zero") << -0.5 << true << 0;
    QTest::newRow("negative half to even") << -1.5 << true << -2;
    QTest::newRow("just below the top") << 2147483647.4 << true << 2147483647;
    QTest::newRow("above the top") << 2147483648.0 << false << 0;
    QTest::newRow("bottom half to even") << -2147483648.5 << true << std::numeric_limits<int>::min();
    QTest::newRow("below the bottom") << -2147483649.0 << false << 0;
    QTest::newRow("1E+20") << 1e20 << false << 0;
    QTest::newRow("not a number") << std::nan("") << false << 0;
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << false << 0;
}

void TestNumberText::roundToInt32()
{
    QFETCH(double, value);
    QFETCH(bool, ok);
    QFETCH(int, expected);
    qint32 result = 0;
    QCOMPARE(NumberFormat::roundToInt32(value, result), ok);
    QCOMPARE(result, expected);
}

void TestNumberText::fileNumber_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("ten") << 10.0 << " 10";
    QTest::newRow("minus ten") << -10.0 << "-10";
    QTest::newRow("half") << 0.5 << " .5";
    QTest::newRow("minus half") << -0.5 << "-.5";
    QTest::newRow("two") << 2.0 << " 2";
    QTest::newRow("zero") << 0.0 << " 0";
    QTest::newRow("negative zero") << -0.0 << " 0";
    QTest::newRow("1E+20") << 1e20 << " 1E+20";
    QTest::newRow("1E-05") << 1e-5 << " 1E-05";
    QTest::newRow("1.5E-05") << 1.5e-5 << " 1.5E-05";
    QTest::newRow("smallest plain") << 0.0001 << " .0001";
    QTest::newRow("fifteen digits plain") << 123456789012345.0 << " 123456789012345";
    QTest::newRow("sixteen digits as exponent") << 1e15 << " 1E+15";
    QTest::newRow("third rounded to 15 digits") << 1.0 / 3 << " .333333333333333";
    QTest::newRow("two thirds rounded up") << 2.0 / 3 << " .666666666666667";
    QTest::newRow("2 pi") << 6.283185307179586 << " 6.28318530717959";
    QTest::newRow("rounding carries into exponent") << 999999999999999.9 << " 1E+15";
    QTest::newRow("tiny negative") << -1e-300 << "-1E-300";
    QTest::newRow("three digit exponent") << 1e100 << " 1E+100";
    QTest::newRow("pi bound of the examples") << 3.14159265358979 << " 3.14159265358979";
}

void TestNumberText::fileNumber()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(NumberFormat::fileNumber(value), text);
}

void TestNumberText::fileNumberReadsBack_data()
{
    QTest::addColumn<double>("value");
    QTest::newRow("0.1") << 0.1;
    QTest::newRow("-1234.5678") << -1234.5678;
    QTest::newRow("1E+20") << 1e20;
    QTest::newRow("-2.5E-07") << -2.5e-7;
    QTest::newRow("fifteen digits") << 0.123456789012345;
    QTest::newRow("largest double") << 1.79769313486231e308;
}

void TestNumberText::fileNumberReadsBack()
{
    QFETCH(double, value);
    bool overflow = true;
    QCOMPARE(NumberReader::parseNumberPrefix(NumberFormat::fileNumber(value), &overflow), value);
    QVERIFY(!overflow);
}

void TestNumberText::fileInteger_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("graph points") << qint64(200) << " 200";
    QTest::newRow("negative") << qint64(-5) << "-5";
    QTest::newRow("zero") << qint64(0) << " 0";
    QTest::newRow("grey") << qint64(12632256) << " 12632256";
    QTest::newRow("system colour") << qint64(-2147483635) << "-2147483635";
}

void TestNumberText::fileInteger()
{
    QFETCH(qint64, value);
    QFETCH(QString, text);
    QCOMPARE(NumberFormat::fileInteger(value), text);
}

void TestNumberText::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("expected");

    QTest::newRow("2.5 to 2") << 2.5 << 0 << 2.0;
    QTest::newRow("3.5 to 4") << 3.5 << 0 << 4.0;
    QTest::newRow("-2.5 to -2") << -2.5 << 0 << -2.0;
    QTest::newRow("sqrt 2 to 8 decimals") << std::sqrt(2.0) << 8 << 1.41421356;
    QTest::newRow("exact tie 0.125 down") << 0.125 << 2 << 0.12;
    QTest::newRow("exact tie 0.375 up") << 0.375 << 2 << 0.38;
    QTest::newRow("2 pi to 8 decimals") << 6.283185307179586 << 8 << 6.28318531;
    QTest::newRow("label 4 decimals") << 0.30000000000000004 << 4 << 0.3;
    QTest::newRow("huge stays") << 1e300 << 8 << 1e300;
    QTest::newRow("beyond 2^52 scaled stays") << 123456789.123456789 << 8 << 123456789.123456789;
}

void TestNumberText::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(double, expected);
    QCOMPARE(NumberFormat::roundHalfEven(value, decimals), expected);
}

void TestNumberText::generalText_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("root") << "C" << 1.41421356 << "1.41421356";
    QTest::newRow("root in German") << "de_DE" << 1.41421356 << "1,41421356";
    QTest::newRow("negative in German") << "de_DE" << -1.5 << "-1,5";
    QTest::newRow("zero before point for the user") << "C" << 0.5 << "0.5";
    QTest::newRow("no group separators") << "de_DE" << 1234567.5 << "1234567,5";
    QTest::newRow("large as exponent") << "C" << 1e20 << "1E+20";
    QTest::newRow("small as exponent") << "C" << 1.234e-5 << "1.234E-05";
    QTest::newRow("small exponent in French") << "fr_FR" << -1.5e-7 << "-1,5E-07";
    QTest::newRow("zero") << "C" << 0.0 << "0";
}

void TestNumberText::generalText()
{
    QFETCH(QString, localeName);
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(NumberFormat::generalText(value, QLocale(localeName)), text);
}

void TestNumberText::parseGeneralText_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");

    QTest::newRow("C root") << "C" << "-1.41421356" << true << -1.41421356;
    QTest::newRow("German root") << "de_DE" << "1,41421356" << true << 1.41421356;
    QTest::newRow("German exponent") << "de_DE" << "1,5E-05" << true << 1.5e-5;
    QTest::newRow("trailing garbage") << "C" << "1.5x" << false << 0.0;
    QTest::newRow("not a number") << "C" << "abc" << false << 0.0;
    QTest::newRow("empty") << "C" << "" << false << 0.0;
}

void TestNumberText::parseGeneralText()
{
    QFETCH(QString, localeName);
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    double parsed = 0;
    QCOMPARE(NumberReader::parseGeneralText(text, parsed, QLocale(localeName)), ok);
    if (ok)
        QCOMPARE(parsed, value);
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_NumberFormat.moc"
