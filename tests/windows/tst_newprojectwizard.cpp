// The new-project wizard: the checks of the four boxes with their messages, focus and caret;
// the history as stored and as updated by OK; keys sent to the window (Enter, Esc, completion
// in the function box, the preview following it); Random's steps round the examples; and the
// pen lifts of the preview.
#include "core/ExponentNotation.h"
#include "core/LangText.h"
#include "core/ProgramSettings.h"
#include "dialogs/NewProjectWizard.h"
#include "dialogs/WizardPreview.h"
#include "project/SettingsStore.h"
#include "ProjectTestSupport.h"
#include "TestEnvironment.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QWindow>

#include <cmath>
#include <vector>

Q_DECLARE_METATYPE(WizardField)
Q_DECLARE_METATYPE(EquationEntry)

namespace {

const QString History = QStringLiteral("EqHistory");
const QString Settings = QStringLiteral("Settings");

// A wizard and the projects it handed over.
struct Session {
    std::vector<std::unique_ptr<FunctionProject>> opened;
    std::unique_ptr<NewProjectWizard> wizard;

    Session()
    {
        wizard = std::make_unique<NewProjectWizard>(
            [this](std::unique_ptr<FunctionProject> project) { opened.push_back(std::move(project)); });
    }
    void type(const EquationEntry &texts) const
    {
        wizard->functionBox()->setEditText(texts.function);
        wizard->parametersBox()->setEditText(texts.parameters);
        wizard->startBox()->setEditText(texts.start);
        wizard->endBox()->setEditText(texts.end);
    }
    void showActive() const
    {
        wizard->show();
        wizard->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(wizard.get()));
    }
};

void storeHistory(const QStringList &values)
{
    for (int i = 0; i < values.size(); ++i)
        WriteSetting(History, EquationHistory::storeKey(i), values.at(i));
}

// The twenty keys; "<none>" for a key never written.
QStringList storedHistory()
{
    QStringList values;
    for (int i = 0; i < EquationHistory::MaxEntries; ++i)
        values << ReadSetting(History, EquationHistory::storeKey(i), QStringLiteral("<none>"));
    return values;
}

QStringList functionsOf(const EquationHistory &history)
{
    QStringList functions;
    for (const EquationEntry &entry : history.entries())
        functions << entry.function;
    return functions;
}

QStringList itemsOf(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

// Keys to the window as a keyboard sends them: '<' Backspace, '>' Delete, '*' Ctrl+A,
// '#' Ctrl+X, any other character itself.
void typeKeys(QWindow *window, const QString &keys)
{
    for (const QChar key : keys) {
        if (key == QLatin1Char('<'))
            QTest::keyClick(window, Qt::Key_Backspace);
        else if (key == QLatin1Char('>'))
            QTest::keyClick(window, Qt::Key_Delete);
        else if (key == QLatin1Char('*'))
            QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
        else if (key == QLatin1Char('#'))
            QTest::keyClick(window, Qt::Key_X, Qt::ControlModifier);
        else
            QTest::keyClick(window, key.toLatin1());
    }
}

} // namespace

class TestNewProjectWizard : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QString why;
        QVERIFY2(ProjectTestSupport::engineReady(&why), qPrintable(why));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        SetLanguageFile(QString());
    }

    void init()
    {
        QSettings(QStringLiteral("Trevolin"), QStringLiteral("Trevolin")).clear();
        programSettings() = ProgramSettings();
        NewProjectWizardModel::setLastExample(0);
    }

    // OK with the four texts: the message and where the focus and caret go, or the project.
    void validation_data()
    {
        QTest::addColumn<EquationEntry>("texts");
        QTest::addColumn<WizardField>("field");   // None: accepted
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("caret");
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        QTest::addColumn<double>("valueAtOne");   // f(1) of the accepted project
        const auto refused = [](const char *name, EquationEntry texts, WizardField field, const char *message,
                                int caret) {
            QTest::newRow(name) << texts << field << QString::fromUtf8(message) << caret << 0.0 << 0.0 << 0.0;
        };
        const auto accepted = [](const char *name, EquationEntry texts, double start, double end, double valueAtOne) {
            QTest::newRow(name) << texts << WizardField::None << QString() << 0 << start << end << valueAtOne;
        };
        using F = WizardField;
        const char *const noInterval = "The two values don't build an interval.";
        refused("no function", {"", "", "0", "1"}, F::Function, "Type the function name.", 0);
        refused("function before interval", {"", "", "", ""}, F::Function, "Type the function name.", 0);
        refused("parse error at 5: caret after 4", {"x^2+$", "", "0", "1"}, F::Function, "Unknown characters.", 4);
        refused("unknown name at 3", {"2*q(x)", "", "0", "1"}, F::Function, "Unknown function.", 2);
        refused("blank function is no empty one", {" ", "", "0", "1"}, F::Function,
                "Missing expression between parentheses.", 1);
        refused("parameter unknown without list", {"a*x", "", "0", "1"}, F::Function, "Unknown function.", 0);
        refused("no start", {"x", "", "", "1"}, F::Start, "Type the start value.", 0);
        refused("start ends in an operator", {"x", "", "2*", "1"}, F::Start,
                "Operators must be followed by number, constant, function.", 2);
        refused("no end", {"x", "", "0", ""}, F::End, "Type the end value.", 0);
        refused("unknown name in end", {"x", "", "0", "1+zz"}, F::End, "Unknown function.", 2);
        refused("equal ends", {"x", "", "1", "1"}, F::Start, noInterval, 0);
        refused("reversed ends", {"x", "", "2", "-2"}, F::Start, noInterval, 0);
        refused("shorter than 0.001", {"x", "", "0", "0.0005"}, F::Start, "The interval length should be >= 0.001.", 0);
        refused("longer than 10000", {"x", "", "-6000", "6000"}, F::Start, "The interval length should be <= 10000.", 0);
        accepted("length 0.001 is allowed", {"x-1", "", "0", "0.001"}, 0, 0.001, 0);
        accepted("length 10000 is allowed", {"x-1", "", "-5000", "5000"}, -5000, 5000, 0);
        const double pi = 3.141592653589793;
        accepted("bounds are expressions", {"sin(x)", "", "-pi", "2pi"}, -pi, 2 * pi, std::sin(1.0));
        accepted("blanks are trimmed for the project", {"  x^2-2 ", "", " -3", "3 "}, -3, 3, -1);
        accepted("parameters go into the tree", {"a*x^2-b", "a=2; b=8", "-5", "5"}, -5, 5, -6);
    }

    void validation()
    {
        QFETCH(EquationEntry, texts);
        QFETCH(WizardField, field);
        QFETCH(QString, message);
        QFETCH(int, caret);
        RecordingMessages boxes;
        Session session;
        session.showActive();
        session.type(texts);
        session.wizard->okButton()->click();
        QVERIFY(boxes.shown.isEmpty());
        const QLabel *error = session.wizard->errorLabel();
        if (field != WizardField::None) {
            QVERIFY(session.opened.empty());
            QVERIFY(session.wizard->isVisible());
            QVERIFY(error->isVisible());
            QVERIFY(!session.wizard->expressionHelpLink()->isVisible());
            QCOMPARE(error->text(), message);
            QCOMPARE(session.wizard->errorTimer()->interval(), 6000);
            QVERIFY(session.wizard->errorTimer()->isActive());
            QVERIFY(!session.wizard->preview()->isShowingCurve());
            QComboBox *faulty = session.wizard->box(field);
            QCOMPARE(QApplication::focusWidget(), faulty);
            QCOMPARE(faulty->lineEdit()->cursorPosition(), caret);
            QVERIFY(storedHistory().startsWith(QStringLiteral("<none>")));
            // The message goes when its time is up, and the links come back.
            QVERIFY(QMetaObject::invokeMethod(session.wizard->errorTimer(), "timeout"));
            QVERIFY(!error->isVisible());
            QVERIFY(session.wizard->openProjectLink()->isVisible());
            QVERIFY(!session.wizard->errorTimer()->isActive());
            return;
        }
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(double, valueAtOne);
        QCOMPARE(session.opened.size(), std::size_t(1));
        QVERIFY(!session.wizard->isVisible());
        const FunctionProject &project = *session.opened.front();
        QCOMPARE(project.functionText(), texts.function.trimmed());
        QCOMPARE(project.xMin(), start);
        QCOMPARE(project.xMax(), end);
        QVERIFY(project.fPrime() && project.fSecond());
        int code = 0;
        QVERIFY(qAbs(project.f().evaluate(1, &code) - valueAtOne) < 1e-12);   // rounding of sin only
        QCOMPARE(code, 0);
        const QString storedEntry = texts.function.trimmed() + QLatin1Char('|') + texts.parameters.trimmed()
            + QLatin1Char('|') + texts.start.trimmed() + QLatin1Char('|') + texts.end.trimmed();
        QCOMPARE(ReadSetting(History, QStringLiteral("01"), QString()), storedEntry);
    }

    // Keys as a keyboard sends them to the window: Tab from the function box to the box named,
    // then the key. Enter in any box does what OK does; Esc closes without a project.
    void keys_data()
    {
        QTest::addColumn<int>("tabs");     // 4 reaches OK
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("end");  // "3" passes, "-9" is refused
        QTest::addColumn<int>("projects");
        QTest::newRow("Return in the function box") << 0 << int(Qt::Key_Return) << "3" << 1;
        QTest::newRow("keypad Enter in the parameters box") << 1 << int(Qt::Key_Enter) << "3" << 1;
        QTest::newRow("Return in the start box") << 2 << int(Qt::Key_Return) << "3" << 1;
        QTest::newRow("keypad Enter in the end box") << 3 << int(Qt::Key_Enter) << "3" << 1;
        QTest::newRow("Return with a refused end stays open") << 3 << int(Qt::Key_Return) << "-9" << 0;
        QTest::newRow("Esc in the parameters box") << 1 << int(Qt::Key_Escape) << "3" << 0;
        QTest::newRow("Esc on OK") << 4 << int(Qt::Key_Escape) << "3" << 0;
    }

    void keys()
    {
        QFETCH(int, tabs);
        QFETCH(int, key);
        QFETCH(QString, end);
        QFETCH(int, projects);
        Session session;
        session.showActive();
        session.type({QStringLiteral("x^3-2*x-5"), QString(), QStringLiteral("-3"), end});
        QWindow *window = session.wizard->windowHandle();
        for (int i = 0; i < tabs; ++i)
            QTest::keyClick(window, Qt::Key_Tab);
        QTest::keyClick(window, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(int(session.opened.size()), projects);
        QCOMPARE(session.wizard->isVisible(), key != Qt::Key_Escape && projects == 0);
    }

    // A click on the message does what OK does; Esc in an open list closes only the list.
    void messageClickAndListEscape()
    {
        Session session;
        session.showActive();
        session.type({QStringLiteral("x^"), QString(), QStringLiteral("-2"), QStringLiteral("2")});
        QVERIFY(session.wizard->errorLabel()->isVisible());
        // Set without a key, so the message stays until the click.
        session.wizard->functionBox()->setEditText(QStringLiteral("x^2-2"));
        QTest::mouseClick(session.wizard->errorLabel(), Qt::LeftButton);
        QCOMPARE(int(session.opened.size()), 1);

        WriteSetting(History, QStringLiteral("01"), QStringLiteral("x||0|1"));
        session.wizard.reset(new NewProjectWizard([](std::unique_ptr<FunctionProject>) {}));
        session.showActive();
        session.wizard->startBox()->showPopup();
        QTRY_VERIFY(QApplication::activePopupWidget());
        // The open list holds the keyboard (a grab the offscreen platform lacks).
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QVERIFY(session.wizard->isVisible());
    }

    // What the four boxes offer and show when the wizard opens, from the stored values.
    void historyLoading_data()
    {
        QTest::addColumn<QStringList>("stored");   // "01", "02", ...
        QTest::addColumn<QStringList>("functions");
        QTest::addColumn<EquationEntry>("shown");
        QTest::newRow("empty store: the stored interval") << QStringList{} << QStringList{}
                                                          << EquationEntry{"", "", "-4", "7"};
        QTest::newRow("most recent shown") << QStringList{"sin(x)-cos(x)||-3.14|3.14", "x^2-a|a=2|0|5"}
                                           << QStringList{"sin(x)-cos(x)", "x^2-a"}
                                           << EquationEntry{"sin(x)-cos(x)", "", "-3.14", "3.14"};
        QTest::newRow("one field takes the default interval") << QStringList{"sin(x)"} << QStringList{"sin(x)"}
                                                              << EquationEntry{"sin(x)", "", "-4", "7"};
        QTest::newRow("two fields take no parameters") << QStringList{"a*x|a=3"} << QStringList{"a*x"}
                                                       << EquationEntry{"a*x", "", "-4", "7"};
        QTest::newRow("three fields take the default end") << QStringList{"a*x|a=3|1"} << QStringList{"a*x"}
                                                           << EquationEntry{"a*x", "a=3", "1", "7"};
        QTest::newRow("an empty value ends the list") << QStringList{"x|||1", "", "x^2||-1|1"} << QStringList{"x"}
                                                      << EquationEntry{"x", "", "", "1"};
    }

    void historyLoading()
    {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, functions);
        QFETCH(EquationEntry, shown);
        WriteSetting(Settings, QStringLiteral("DefaultMinX"), QStringLiteral("-4"));
        WriteSetting(Settings, QStringLiteral("DefaultMaxX"), QStringLiteral("7"));
        storeHistory(stored);
        Session session;
        QCOMPARE(itemsOf(session.wizard->functionBox()), functions);
        for (QComboBox *box : {session.wizard->parametersBox(), session.wizard->startBox(), session.wizard->endBox()})
            QCOMPARE(box->count(), functions.size());
        QCOMPARE(session.wizard->texts(), shown);
    }

    // The history after OK, most recent first.
    void historyRecording_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("accepted");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("first equation") << QStringList{} << "x^2" << QStringList{"x^2"};
        QTest::newRow("same at the front stays once") << QStringList{"x^2"} << "x^2" << QStringList{"x^2"};
        QTest::newRow("older copy moves to the front")
            << QStringList{"sin(x)", "cos(x)", "x^2"} << "x^2" << QStringList{"x^2", "sin(x)", "cos(x)"};
        QTest::newRow("search stops at x^2+1")
            << QStringList{"sin(x)", "x^2+1", "cos(x)", "x^2"} << "x^2"
            << QStringList{"x^2", "sin(x)", "x^2+1", "cos(x)", "x^2"};
        QTest::newRow("longer second entry keeps the front copy")
            << QStringList{"x^2", "x^2+1"} << "x^2" << QStringList{"x^2", "x^2", "x^2+1"};
        QTest::newRow("search wraps round to the front")
            << QStringList{"x^2", "sin(x)"} << "x^2" << QStringList{"x^2", "sin(x)"};
        QTest::newRow("other case is another equation") << QStringList{"SIN(x)"} << "sin(x)"
                                                        << QStringList{"sin(x)", "SIN(x)"};
        QTest::newRow("trimmed before the search") << QStringList{"a", "x+1"} << "  x+1 " << QStringList{"x+1", "a"};
    }

    void historyRecording()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, accepted);
        QFETCH(QStringList, after);
        QStringList stored;
        for (const QString &function : before)
            stored << function + QStringLiteral("||-1|1");
        storeHistory(stored);
        NewProjectWizardModel model;
        WizardCheck outcome;
        QVERIFY(model.accept({accepted, QStringLiteral("a=1"), QStringLiteral("0"), QStringLiteral("2")}, outcome));
        QCOMPARE(functionsOf(model.history()), after);
        QCOMPARE(model.history().at(0).parameters, QStringLiteral("a=1"));
        const QStringList written = storedHistory();
        QCOMPARE(written.at(0), after.at(0) + QStringLiteral("|a=1|0|2"));
        QCOMPARE(ReadSetting(History, EquationHistory::storeKey(int(after.size())), QString()), QString());
    }

    // 25 accepted equations: 20 stored, the newest as "01"; a shorter history empties the
    // keys above it; the interval texts are stored when the wizard goes.
    void historyKeepsTwenty()
    {
        storeHistory(QStringList(EquationHistory::MaxEntries, QStringLiteral("old||0|1")));
        EquationHistory history;
        history.setEntries({{QStringLiteral("x"), QString(), QStringLiteral("0"), QStringLiteral("1")}});
        history.save();
        QStringList written = storedHistory();
        QCOMPARE(written.at(0), QStringLiteral("x||0|1"));
        QCOMPARE(written.mid(1), QStringList(EquationHistory::MaxEntries - 1, QString()));

        for (int i = 1; i <= 25; ++i)
            history.record({QStringLiteral("x-%1").arg(i), QString(), QStringLiteral("0"), QStringLiteral("30")});
        history.save();
        QCOMPARE(ReadSetting(History, QStringLiteral("01"), QString()), QStringLiteral("x-25||0|30"));
        QCOMPARE(ReadSetting(History, QStringLiteral("20"), QString()), QStringLiteral("x-6||0|30"));

        // One more through the window: still 20 offered and stored.
        Session session;
        QCOMPARE(session.wizard->functionBox()->count(), 20);
        session.type({QStringLiteral("x+2"), QString(), QStringLiteral("-1"), QStringLiteral("1")});
        QVERIFY(session.wizard->finish());
        QCOMPARE(session.wizard->functionBox()->count(), 20);
        QCOMPARE(itemsOf(session.wizard->startBox()).first(), QStringLiteral("-1"));
        written = storedHistory();
        QCOMPARE(written.first(), QStringLiteral("x+2||-1|1"));
        QCOMPARE(written.last(), QStringLiteral("x-7||0|30"));
        session.type({QStringLiteral("x"), QString(), QStringLiteral("-2pi"), QString()});
        session.wizard.reset();
        QCOMPARE(ReadSetting(Settings, QStringLiteral("DefaultMinX"), QString()), QStringLiteral("-2pi"));
        QCOMPARE(ReadSetting(Settings, QStringLiteral("DefaultMaxX"), QStringLiteral("10")), QString());
    }

    // Keys typed into the function box: what it holds, what is selected, and the entry the
    // other boxes took. After Backspace or Delete the next change is not completed.
    void completion_data()
    {
        QTest::addColumn<QString>("keys");   // '<' Backspace, '>' Delete, '*' Ctrl+A, '#' Ctrl+X
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("start");   // the start box: which entry filled it
        QTest::newRow("skips the first entry") << "x" << "x^2+1" << "^2+1" << 1 << "2";
        QTest::newRow("finds the second") << "s" << "sin(x)" << "in(x)" << 1 << "1";
        QTest::newRow("wraps round to the first") << "x^3" << "x^3" << "" << 3 << "3";
        QTest::newRow("ignores case") << "X" << "x^2+1" << "^2+1" << 1 << "2";
        QTest::newRow("nothing begins so") << "q" << "q" << "" << 1 << "";
        QTest::newRow("Backspace: tail comes back once") << "x<" << "x^2+1" << "^2+1" << 1 << "2";
        QTest::newRow("second Backspace erases") << "x<<" << "x" << "" << 1 << "2";
        QTest::newRow("Delete works as Backspace") << "x>>" << "x" << "" << 1 << "2";
        QTest::newRow("key after Backspace not completed") << "x<<^" << "x^" << "" << 2 << "2";
        QTest::newRow("next key completes again") << "x<<^3" << "x^3" << "" << 3 << "3";
        QTest::newRow("Backspaces erase it all") << "s<<<" << "" << "" << 0 << "1";
        QTest::newRow("box emptied by a cut stays empty") << "q*#" << "" << "" << 0 << "";
    }

    void completion()
    {
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(QString, selected);
        QFETCH(int, caret);
        QFETCH(QString, start);
        storeHistory({QStringLiteral("x^3||3|30"), QStringLiteral("sin(x)||1|10"), QStringLiteral("x^2+1||2|20")});
        Session session;
        session.showActive();
        QLineEdit *edit = session.wizard->functionBox()->lineEdit();
        edit->clear();
        session.wizard->startBox()->setEditText(QString());
        typeKeys(session.wizard->windowHandle(), keys);
        QCOMPARE(edit->text(), text);
        QCOMPARE(edit->selectedText(), selected);
        QCOMPARE(edit->cursorPosition(), caret);
        QCOMPARE(session.wizard->startBox()->currentText(), start);
    }

    // The preview follows keys typed into the function box: the curve of the text typed last,
    // or the message of an unfinished text.
    void previewFollowsTyping_data()
    {
        QTest::addColumn<QString>("keys");     // '*' Ctrl+A
        QTest::addColumn<QString>("shown");    // the function drawn, or the message instead
        QTest::newRow("equation replaced by sin(x)") << "*sin(x)" << "sin(x)";
        QTest::newRow("typed on after a completion") << "*x^3+1" << "x^3+1";
        QTest::newRow("unfinished text") << "*sin(x" << "End of parenthesis missing.";
    }

    void previewFollowsTyping()
    {
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        storeHistory({QStringLiteral("x^2||-3|3"), QStringLiteral("x^3-1||-3|3")});
        Session session;
        session.showActive();
        typeKeys(session.wizard->windowHandle(), keys);
        const Expression f = Expression::parse(shown);
        QCOMPARE(session.wizard->errorLabel()->isVisible(), f.isNull());
        if (f.isNull())
            QCOMPARE(session.wizard->errorLabel()->text(), shown);
        else
            QCOMPARE(session.wizard->preview()->curve().value_or(WizardPreviewCurve()).strokes,
                     NewProjectWizardModel::previewCurve(f, -3, 3).strokes);
    }

    // Typed as exponent notation, the function draws (e is the number e) and the error label
    // says how the text is read, as the calculator does; the next edit takes the hint away.
    void exponentHint()
    {
        Session session;
        session.showActive();
        typeKeys(session.wizard->windowHandle(), QStringLiteral("*x-2.5e-3"));
        QTRY_VERIFY(session.wizard->errorLabel()->isVisible());
        QCOMPARE(session.wizard->errorLabel()->text(), ExponentNotation::exponentHint());
        QVERIFY(session.wizard->preview()->curve().has_value());
        typeKeys(session.wizard->windowHandle(), QStringLiteral("*x-2.5"));
        QTRY_VERIFY(session.wizard->errorLabel()->isHidden());
    }

    // Random moves one to four places round the sixteen examples, never staying.
    void randomSteps_data()
    {
        QTest::addColumn<int>("last");
        QTest::addColumn<double>("fraction");
        QTest::addColumn<int>("next");
        QTest::newRow("r = 0 moves one") << 0 << 0.0 << 1;
        QTest::newRow("r just under 1/4") << 5 << 0.2499 << 6;
        QTest::newRow("r = 1/4 moves two") << 5 << 0.25 << 7;
        QTest::newRow("r = 0.5 moves three") << 5 << 0.5 << 8;
        QTest::newRow("r near 1 moves four") << 5 << 0.9999999 << 9;
        QTest::newRow("wraps past the last") << 14 << 0.75 << 2;
        QTest::newRow("from the last to the first") << 15 << 0.0 << 0;
    }

    void randomSteps()
    {
        QFETCH(int, last);
        QFETCH(double, fraction);
        QFETCH(int, next);
        QCOMPARE(NewProjectWizardModel::nextExample(last, fraction), next);

        // The button: every press opens a project, never the same example twice in a row, and
        // the boxes and the history are left alone.
        std::srand(static_cast<unsigned>(last + 1));
        Session session;
        session.type({QStringLiteral("x"), QString(), QStringLiteral("0"), QStringLiteral("1")});
        QStringList functions;
        for (const WizardExample &example : NewProjectWizardModel::examples())
            functions << QString::fromLatin1(example.function);
        int previous = NewProjectWizardModel::lastExample();
        for (int press = 0; press < 40; ++press) {
            session.wizard->randomButton()->click();
            QCOMPARE(session.opened.size(), std::size_t(press + 1));
            const int index = int(functions.indexOf(session.opened.back()->functionText()));
            QCOMPARE(index, NewProjectWizardModel::lastExample());
            const int step = (index - previous + 16) % 16;
            QVERIFY2(step >= 1 && step <= 4, qPrintable(QStringLiteral("step %1").arg(step)));
            previous = index;
        }
        QCOMPARE(session.wizard->functionBox()->currentText(), QStringLiteral("x"));
        QCOMPARE(ReadSetting(History, QStringLiteral("01"), QStringLiteral("<none>")), QStringLiteral("<none>"));
    }

    // The preview's pieces of curve: 50 steps of exactly 1 on [-25, 25] and [1, 51].
    void preview_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        QTest::addColumn<QList<int>>("strokeLengths");
        QTest::addColumn<bool>("xAxis");
        QTest::addColumn<bool>("yAxis");
        QTest::newRow("whole curve in view: 51 points") << "sin(x)" << -25.0 << 25.0 << QList<int>{51} << true << true;
        QTest::newRow("1/x: lifted at the pole") << "1/x" << -25.0 << 25.0 << QList<int>{25, 25} << true << true;
        QTest::newRow("x^2: lifted above the view") << "x^2" << -25.0 << 25.0 << QList<int>{11} << true << true;
        QTest::newRow("two pieces between lifts") << "x^2-100" << -25.0 << 25.0 << QList<int>{3, 3} << true << true;
        QTest::newRow("sqrt: lifted where undefined") << "sqrt(x)" << -25.0 << 25.0 << QList<int>{26} << true << true;
        QTest::newRow("view as high as wide, centred") << "x" << 1.0 << 51.0 << QList<int>{25} << true << false;
        QTest::newRow("negative interval") << "x+40" << -51.0 << -1.0 << QList<int>{37} << true << false;
    }

    void preview()
    {
        QFETCH(QString, function);
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(QList<int>, strokeLengths);
        QFETCH(bool, xAxis);
        QFETCH(bool, yAxis);
        const Expression f = Expression::parse(function);
        QVERIFY(f);
        const WizardPreviewCurve curve = NewProjectWizardModel::previewCurve(f, start, end);
        QList<int> lengths;
        for (const QList<QPointF> &stroke : curve.strokes)
            lengths << int(stroke.size());
        QCOMPARE(lengths, strokeLengths);
        QCOMPARE(curve.showXAxis, xAxis);
        QCOMPARE(curve.showYAxis, yAxis);
        for (const QList<QPointF> &stroke : curve.strokes) {
            for (const QPointF &point : stroke)
                QVERIFY(point.y() >= curve.yMin && point.y() <= curve.yMax);
        }
    }

    // 1/x on [-1, 1]: the two branches are never joined across x = 0, and the wizard draws
    // what the model sampled.
    void previewNeverJoinsBranches()
    {
        Session session;
        session.type({QStringLiteral("1/x"), QString(), QStringLiteral("-1"), QStringLiteral("1")});
        QVERIFY(session.wizard->errorLabel()->isHidden());
        const auto &curve = session.wizard->preview()->curve();
        QVERIFY(curve.has_value());
        QCOMPARE(curve->yMin, -1.0);
        QCOMPARE(curve->yMax, 1.0);
        for (const QList<QPointF> &stroke : curve->strokes) {
            QVERIFY(stroke.first().x() * stroke.last().x() > 0);
            for (const QPointF &point : stroke)
                QVERIFY(qAbs(point.y()) <= 1);
        }
        session.wizard->endBox()->setEditText(QStringLiteral("-2"));
        QVERIFY(!session.wizard->preview()->isShowingCurve());
        QCOMPARE(session.wizard->errorLabel()->text(), QStringLiteral("The two values don't build an interval."));
    }
};

TREV_TEST_MAIN(TestNewProjectWizard)
#include "tst_newprojectwizard.moc"
