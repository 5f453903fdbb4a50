// The calculator window driven offscreen: controls and menus, Enter, the lists, insertion at the
// caret, F3 and Up/Down, the error box and its timer, the exponent hint, clearing, the history
// file, the skin and the layout.
//
// As in the program, one window (and so one engine) serves the whole run; each test starts
// with an empty input line, history and history file. Names keep one role: g constant, f and h
// functions.
#include "CalcHistoryFile.h"
#include "CalcSession.h"
#include "CalcTestSupport.h"
#include "RecordingMessages.h"
#include "core/ErrorMessage.h"
#include "InputLine.h"
#include "CalculatorWindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

QStringList ActionTexts(const QList<QAction *> &actions)
{
    QStringList texts;
    for (QAction *action : actions)
        texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

QStringList ComboItems(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

} // namespace

class TestCalcWindow : public QObject {
    Q_OBJECT

private:
    static constexpr int StartSkin = 6;
    std::unique_ptr<CalculatorWindow> m_window;
    QTemporaryDir m_dataFolder;

    CalculatorWindow &window() { return *m_window; }
    QString historyPath() const { return m_dataFolder.filePath(QStringLiteral("history.txt")); }
    void openWindow()
    {
        m_window.reset();   // its engine goes with it, before the next window starts its own
        CalcSettings settings;
        settings.skin = StartSkin;
        settings.colors = SkinColorsFor(StartSkin);
        m_window = std::make_unique<CalculatorWindow>(settings, historyPath());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void typeLine(const QString &line)
    {
        window().inputBox()->clear();
        window().inputBox()->setFocus();
        QTest::keyClicks(window().inputBox(), line);
        QTest::keyClick(window().inputBox(), Qt::Key_Return);
    }
    QString history() const { return m_window->historyBox()->toPlainText(); }

private slots:
    void initTestCase()
    {
        useTestEnvironment();
        QApplication::setQuitOnLastWindowClosed(false);   // a restart closes the only window
        openWindow();
    }
    void cleanupTestCase() { m_window.reset(); }
    void init()
    {
        window().inputBox()->clear();
        RecordingMessages yes;
        yes.answer = true;
        window().clearHistory();
        window().hideError();
        window().resize(600, 460);
    }

    void controls();
    void menus();
    void enterCalculates_data();
    void enterCalculates();
    void shiftEnterStartsNewLine();
    void calculateButtonAndMenu();
    void insertFunction_data();
    void insertFunction();
    void insertConstant_data();
    void insertConstant();
    void definitionsListedOnce();
    void f3RecallsLastLine();
    void upDownWalkThroughLines();
    void upDownMoveCaretInMultiLineInput();
    void errorBoxShownAndCaretPlaced();
    void errorBoxHiddenByTimer();
    void errorBoxHiddenBySuccess();
    void pasteStopsAtRejectedLine();
    void clearHistoryKeepsDefinitions();
    void clearHistoryAsksFirst_data();
    void clearHistoryAsksFirst();
    void sessionSurvivesRestart();
    void damagedHistoryKeptAndTold();
    void escapeEmptiesInput();
    void skinFromSettings();
    void skinColours_data();
    void skinColours();
    void controlsFollowWindowSize();
    void missingSystemCalculatorExplained();
};

void TestCalcWindow::controls()
{
    QCOMPARE(window().objectName(), QStringLiteral("CalculatorWindow"));
    QCOMPARE(window().windowTitle(), QStringLiteral("Trevolin Calculator"));
    for (const char *name : {"TxtOnLine", "TxtCalc", "Txt_Err", "CmdCalc", "CmbFunctions", "CmbConst"})
        QVERIFY2(window().findChild<QWidget *>(QLatin1String(name)), name);
    QCOMPARE(window().errorTimer()->interval(), 4000);
    QVERIFY(window().errorTimer()->isActive());
    QCOMPARE(window().calculateButton()->text(), QStringLiteral("&Calculate"));
    QCOMPARE(window().functionsBox()->toolTip(), QStringLiteral("Function"));
    QCOMPARE(window().constantsBox()->toolTip(), QStringLiteral("Constant"));
    QCOMPARE(ComboItems(window().functionsBox()), CalcSession::builtInFunctions());
    QCOMPARE(ComboItems(window().constantsBox()), (QStringList{"pi", "e", "res"}));
    QVERIFY(window().errorBox()->isHidden());
    QVERIFY(window().historyBox()->isReadOnly());
    const QFontMetrics digits(window().historyBox()->font());
    QCOMPARE(digits.horizontalAdvance(QStringLiteral("1111")), digits.horizontalAdvance(QStringLiteral("MMMM")));
}

void TestCalcWindow::menus()
{
    QCOMPARE(ActionTexts(window().menuBar()->actions()), (QStringList{"&File", "&Calculate", "&Help"}));
    QCOMPARE(ActionTexts(window().fileMenu()->actions()), QStringList{"E&xit"});
    QCOMPARE(ActionTexts(window().calculateMenu()->actions()),
             (QStringList{"&Insert", "&Evaluate...", "&Clear history..."}));
    QCOMPARE(window().calculateMenu()->actions().first()->menu(), window().insertMenu());
    QCOMPARE(ActionTexts(window().insertMenu()->actions()),
             (QStringList{"sin", "cos", "tan", "asin", "acos", "atan", "sinh", "cosh", "tanh", "asinh", "acosh",
                          "atanh", "exp", "ln", "log", "sqrt", "sgn", "abs"}));
    QCOMPARE(ActionTexts(window().helpMenu()->actions()),
             (QStringList{"&Main help", "&Trevolin OnLine", "&About Trevolin...", "-", "&Desktop Calculator"}));
    QCOMPARE(window().insertFunctionAction(15)->objectName(), QStringLiteral("mnufun15"));
}

void TestCalcWindow::enterCalculates_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    // The button's mnemonic, which the Calculate menu shares.
    QTest::newRow("Alt+C") << int(Qt::Key_C) << int(Qt::AltModifier);
}

void TestCalcWindow::enterCalculates()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QTest::keyClicks(window().inputBox(), QStringLiteral("2+3"));
    QTest::keyClick(window().inputBox(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(history(), QStringLiteral("2+3=5"));
    QCOMPARE(window().inputBox()->toPlainText(), QString());
    typeLine(QStringLiteral("res*2="));
    QCOMPARE(history(), QStringLiteral("2+3=5\nres*2=10"));
}

void TestCalcWindow::shiftEnterStartsNewLine()
{
    QTest::keyClicks(window().inputBox(), QStringLiteral("1+1"));
    QTest::keyClick(window().inputBox(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(window().inputBox(), QStringLiteral("2+2"));
    QCOMPARE(history(), QString());
    QTest::keyClick(window().inputBox(), Qt::Key_Return);
    QCOMPARE(history(), QStringLiteral("1+1=2\n2+2=4"));
}

void TestCalcWindow::calculateButtonAndMenu()
{
    window().inputBox()->setTextAndCaret(QStringLiteral("6*7"));
    QTest::mouseClick(window().calculateButton(), Qt::LeftButton);
    QCOMPARE(history(), QStringLiteral("6*7=42"));
    window().inputBox()->setTextAndCaret(QStringLiteral("res/2"));
    window().calculateAction()->trigger();
    QCOMPARE(history(), QStringLiteral("6*7=42\nres/2=21"));
}

void TestCalcWindow::insertFunction_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<bool>("fromMenu");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("expectedCaret");

    QTest::newRow("list, after 2*") << "2*" << 2 << false << "2*sqrt()" << 7;
    QTest::newRow("menu, after 2*") << "2*" << 2 << true << "2*sqrt()" << 7;
    QTest::newRow("list, inside the line") << "1+" + QString("*3") << 2 << false << "1+sqrt()*3" << 7;
    QTest::newRow("list, empty line") << "" << 0 << false << "sqrt()" << 5;
    QTest::newRow("menu, inside parentheses") << "sin()" << 4 << true << "sin(sqrt())" << 9;
}

void TestCalcWindow::insertFunction()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(bool, fromMenu);
    QFETCH(QString, expected);
    QFETCH(int, expectedCaret);

    window().inputBox()->setTextAndCaret(text, caret);
    window().calculateButton()->setFocus();
    const int sqrtIndex = CalcSession::builtInFunctions().indexOf(QStringLiteral("sqrt"));
    if (fromMenu)
        window().insertFunctionAction(sqrtIndex)->trigger();
    else
        emit window().functionsBox()->activated(sqrtIndex);

    QCOMPARE(window().inputBox()->toPlainText(), expected);
    QCOMPARE(window().inputBox()->caret(), expectedCaret);
    QVERIFY(window().inputBox()->hasFocus());
    QCOMPARE(window().functionsBox()->currentIndex(), -1);   // ready for the next pick
}

void TestCalcWindow::insertConstant_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("expectedCaret");

    QTest::newRow("at the end") << "2*" << 2 << "pi" << "2*pi" << 4;
    QTest::newRow("in the middle") << "2*+1" << 2 << "pi" << "2*pi+1" << 4;
    QTest::newRow("res at the start") << "*2" << 0 << "res" << "res*2" << 3;
}

void TestCalcWindow::insertConstant()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QFETCH(int, expectedCaret);

    window().inputBox()->setTextAndCaret(text, caret);
    emit window().constantsBox()->activated(window().constantsBox()->findText(name));
    QCOMPARE(window().inputBox()->toPlainText(), expected);
    QCOMPARE(window().inputBox()->caret(), expectedCaret);
    QCOMPARE(window().constantsBox()->currentIndex(), -1);
}

void TestCalcWindow::definitionsListedOnce()
{
    for (const char *line : {"g=9.81", "f: x^2+1", "g=1", " G = 2", "f: 2x", "h: f(x)"})
        typeLine(line);
    const QStringList constants = ComboItems(window().constantsBox());
    QCOMPARE(constants.mid(0, 3), (QStringList{"pi", "e", "res"}));
    QCOMPARE(constants.count(QStringLiteral("g")), 1);
    // " G " is a new entry by the lists' prefix rule: it is listed as typed.
    QCOMPARE(constants.filter(QStringLiteral("g"), Qt::CaseInsensitive), (QStringList{"g", " G "}));
    const QStringList functions = ComboItems(window().functionsBox());
    QCOMPARE(functions.mid(0, CalculatorWindow::FunctionCount), CalcSession::builtInFunctions());
    QCOMPARE(functions.count(QStringLiteral("f")), 1);
    QCOMPARE(functions.count(QStringLiteral("h")), 1);
    QCOMPARE(functions.size(), CalculatorWindow::FunctionCount + 2);

    // A defined name picked from the list works in the next line.
    window().inputBox()->setTextAndCaret(QStringLiteral("3"));
    emit window().functionsBox()->activated(window().functionsBox()->findText(QStringLiteral("h")));
    QCOMPARE(window().inputBox()->toPlainText(), QStringLiteral("3h()"));
    window().inputBox()->setTextAndCaret(QStringLiteral("h(g)"));
    QTest::keyClick(window().inputBox(), Qt::Key_Return);
    QVERIFY(history().endsWith(QStringLiteral("\nh(g)=4")));
}

void TestCalcWindow::f3RecallsLastLine()
{
    typeLine(QStringLiteral("7*6"));
    QTest::keyClicks(window().inputBox(), QStringLiteral("junk"));
    QTest::keyClick(window().inputBox(), Qt::Key_F3);
    QCOMPARE(window().inputBox()->toPlainText(), QStringLiteral("7*6"));

    // A rejected line is the last processed line as well.
    window().inputBox()->setTextAndCaret(QStringLiteral("2*(1"));
    QTest::keyClick(window().inputBox(), Qt::Key_Return);
    typeLine(QStringLiteral("1+1"));
    QTest::keyClick(window().inputBox(), Qt::Key_Up);
    QTest::keyClick(window().inputBox(), Qt::Key_Up);
    QTest::keyClick(window().inputBox(), Qt::Key_F3);
    QCOMPARE(window().inputBox()->toPlainText(), QStringLiteral("1+1"));   // Up/Down leave F3 alone
}

void TestCalcWindow::upDownWalkThroughLines()
{
    for (const char *line : {"1+1", "2+2", "3+3"})
        typeLine(line);
    QTest::keyClicks(window().inputBox(), QStringLiteral("4+"));
    InputLine *input = window().inputBox();
    const QList<QPair<Qt::Key, QString>> steps = {
        {Qt::Key_Up, "3+3"}, {Qt::Key_Up, "2+2"}, {Qt::Key_Up, "1+1"},
        {Qt::Key_Down, "2+2"}, {Qt::Key_Down, "3+3"}, {Qt::Key_Down, "4+"}, {Qt::Key_Down, "4+"},
    };
    for (const auto &step : steps) {
        QTest::keyClick(input, step.first);
        QCOMPARE(input->toPlainText(), step.second);
        QCOMPARE(input->caret(), static_cast<int>(step.second.size()));
    }
}

void TestCalcWindow::upDownMoveCaretInMultiLineInput()
{
    typeLine(QStringLiteral("1+1"));
    InputLine *input = window().inputBox();
    input->setTextAndCaret(QStringLiteral("2+2\n3+3"));
    QTest::keyClick(input, Qt::Key_Up);
    QCOMPARE(input->toPlainText(), QStringLiteral("2+2\n3+3"));
    QCOMPARE(input->caret(), 3);
}

void TestCalcWindow::errorBoxShownAndCaretPlaced()
{
    window().inputBox()->setTextAndCaret(QStringLiteral("g=2*(3"));
    QTest::keyClick(window().inputBox(), Qt::Key_Return);
    QVERIFY(window().errorBox()->isVisible());
    QCOMPARE(window().errorBox()->text(), ErrorMessage(-4));
    QCOMPARE(window().inputBox()->toPlainText(), QStringLiteral("g=2*(3"));
    QCOMPARE(window().inputBox()->caret(), 6);
    QVERIFY(window().inputBox()->hasFocus());
    QCOMPARE(history(), QString());

    // The timer starts again with every message, so each one gets its full time.
    QVERIFY(window().errorTimer()->isActive());
    QVERIFY(window().errorTimer()->remainingTime() > 3500);
    QTest::qWait(300);
    window().inputBox()->setTextAndCaret(QStringLiteral("=5"));
    QTest::keyClick(window().inputBox(), Qt::Key_Return);
    QCOMPARE(window().errorBox()->text(), ErrorMessage(1));
    QCOMPARE(window().inputBox()->caret(), 0);
    QVERIFY(window().errorTimer()->remainingTime() > 3500);
}

void TestCalcWindow::errorBoxHiddenByTimer()
{
    typeLine(QStringLiteral("sin("));
    QVERIFY(window().errorBox()->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(window().errorBox()->isHidden(), 5000);
    QCOMPARE(window().inputBox()->toPlainText(), QStringLiteral("sin("));   // the line stays
}

void TestCalcWindow::errorBoxHiddenBySuccess()
{
    typeLine(QStringLiteral("1/0"));
    QVERIFY(window().errorBox()->isVisible());
    QCOMPARE(window().errorBox()->text(), ErrorMessage(32));
    window().inputBox()->setTextAndCaret(QStringLiteral("1/2"));
    QTest::keyClick(window().inputBox(), Qt::Key_Return);
    QVERIFY(window().errorBox()->isHidden());
    QCOMPARE(history(), QStringLiteral("1/2=0.5"));
}

void TestCalcWindow::pasteStopsAtRejectedLine()
{
    window().inputBox()->setTextAndCaret(QStringLiteral("1+1\n2*(3\n4+4"));
    window().calculateButton()->click();
    QCOMPARE(history(), QStringLiteral("1+1=2"));
    QCOMPARE(window().inputBox()->toPlainText(), QStringLiteral("2*(3\n4+4"));
    QCOMPARE(window().inputBox()->caret(), 4);
    QVERIFY(window().errorBox()->isVisible());

    // Corrected, the rest goes through as well.
    window().inputBox()->setTextAndCaret(QStringLiteral("2*(3)\n4+4"));
    window().calculateButton()->click();
    QCOMPARE(history(), QStringLiteral("1+1=2\n2*(3)=6\n4+4=8"));
    QCOMPARE(window().inputBox()->toPlainText(), QString());
}

void TestCalcWindow::clearHistoryKeepsDefinitions()
{
    typeLine(QStringLiteral("g=2"));
    typeLine(QStringLiteral("f: x*g"));
    RecordingMessages yes;
    yes.answer = true;
    window().clearHistoryAction()->trigger();
    QCOMPARE(history(), QString());
    typeLine(QStringLiteral("f(g)"));
    QCOMPARE(history(), QStringLiteral("f(g)=4"));
    QVERIFY(ComboItems(window().constantsBox()).contains(QStringLiteral("g")));
}

void TestCalcWindow::clearHistoryAsksFirst_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("Yes empties the history and its file") << true;
    QTest::newRow("No keeps both") << false;
}

void TestCalcWindow::clearHistoryAsksFirst()
{
    QFETCH(bool, answer);
    typeLine(QStringLiteral("1+1"));
    QVERIFY(CalcHistoryFile(historyPath()).save({QStringLiteral("1+1=2")}));
    RecordingMessages recorder;
    recorder.answer = answer;
    window().clearHistoryAction()->trigger();
    QCOMPARE(recorder.kinds, QStringList{QStringLiteral("question")});
    QCOMPARE(history().isEmpty(), answer);
    QCOMPARE(CalcHistoryFile(historyPath()).load().isEmpty(), answer);
}

void TestCalcWindow::sessionSurvivesRestart()
{
    for (const char *line : {"g=2", "f: x*g", "2.5e-3"})
        typeLine(line);
    QCOMPARE(window().errorBox()->text(), CalcSession::exponentHint());   // the last line's hint
    const QString before = history();
    window().close();
    openWindow();
    QCOMPARE(history(), before);
    QCOMPARE(ComboItems(window().constantsBox()).count(QStringLiteral("g")), 1);
    QCOMPARE(ComboItems(window().functionsBox()).count(QStringLiteral("f")), 1);
    typeLine(QStringLiteral("f(g)"));
    QVERIFY(history().endsWith(QStringLiteral("\nf(g)=4")));
}

void TestCalcWindow::damagedHistoryKeptAndTold()
{
    const QByteArray damaged("1+1=2\n\xff\xfe\n");
    window().close();
    QFile file(historyPath());
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(damaged) == damaged.size());
    file.close();
    openWindow();
    QCOMPARE(history(), QStringLiteral("1+1=2"));
    QVERIFY(window().errorBox()->isVisible());
    QVERIFY(window().errorBox()->text().contains(CalcHistoryFile(historyPath()).damagedPath()));
    typeLine(QStringLiteral("2+2"));
    window().close();
    QCOMPARE(CalcHistoryFile(historyPath()).load(), (QStringList{"1+1=2", "2+2=4"}));
    QFile aside(CalcHistoryFile(historyPath()).damagedPath());
    QVERIFY(aside.open(QIODevice::ReadOnly));
    QCOMPARE(aside.readAll(), damaged);
    openWindow();
}

void TestCalcWindow::escapeEmptiesInput()
{
    QTest::keyClicks(window().inputBox(), QStringLiteral("12*"));
    QTest::keyClick(window().inputBox(), Qt::Key_Escape);
    QCOMPARE(window().inputBox()->toPlainText(), QString());
}

void TestCalcWindow::skinColours_data()
{
    QTest::addColumn<int>("skin");
    QTest::newRow("skin 1") << 1;
    QTest::newRow("skin 4, white text") << 4;
    QTest::newRow("skin 8") << 8;
}

void TestCalcWindow::skinColours()
{
    QFETCH(int, skin);
    const SkinColors colors = SkinColorsFor(skin);
    window().applySkin(colors);
    QCOMPARE(window().centralWidget()->palette().color(QPalette::Window), colors.back);
    QVERIFY(window().centralWidget()->autoFillBackground());
    QCOMPARE(window().calculateButton()->palette().color(QPalette::Button), colors.back);
    QCOMPARE(window().calculateButton()->palette().color(QPalette::ButtonText), colors.fore);
    // The menu bar keeps the desktop's look.
    QVERIFY(window().menuBar()->palette().color(QPalette::Window) != colors.back);
    window().applySkin(SkinColorsFor(StartSkin));
}

void TestCalcWindow::skinFromSettings()
{
    QCOMPARE(window().centralWidget()->palette().color(QPalette::Window), SkinColorsFor(StartSkin).back);
    QCOMPARE(window().calculateButton()->palette().color(QPalette::Button), SkinColorsFor(StartSkin).back);
}

void TestCalcWindow::controlsFollowWindowSize()
{
    window().resize(500, 400);
    QTest::qWait(20);
    const QRect historyBefore = window().historyBox()->geometry();
    const QRect inputBefore = window().inputBox()->geometry();
    window().resize(800, 600);
    QTest::qWait(20);
    QCOMPARE(window().historyBox()->width(), historyBefore.width() + 300);
    QCOMPARE(window().historyBox()->height(), historyBefore.height() + 200);
    QCOMPARE(window().inputBox()->width(), inputBefore.width() + 300);
    QCOMPARE(window().inputBox()->height(), inputBefore.height());
    // The button stays in the bottom right corner.
    const QRect button = window().calculateButton()->geometry();
    const QWidget *area = window().centralWidget();
    QVERIFY(area->width() - button.right() < 20);
    QVERIFY(area->height() - button.bottom() < 20);
    QVERIFY(window().minimumWidth() >= 93 && window().minimumHeight() >= 133);
}

void TestCalcWindow::missingSystemCalculatorExplained()
{
    QTemporaryDir emptyFolder;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", emptyFolder.path().toUtf8());
    RecordingMessages recorder;
    window().desktopCalculatorAction()->trigger();
    qputenv("PATH", path);
    QCOMPARE(recorder.kinds.size(), 1);
    QCOMPARE(recorder.kinds.at(0), QStringLiteral("information"));
    QVERIFY(recorder.texts.at(0).contains(QStringLiteral("calculator")));
}

QTEST_MAIN(TestCalcWindow)
#include "tst_calcwindow.moc"
