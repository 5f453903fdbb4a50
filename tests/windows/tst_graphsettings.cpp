// The graph settings dialog: bounds as constant expressions, the counts, the live preview and
// its refresh flag, OK / Enter / the error label, Cancel and Default, and the colour swatches.
#include "core/LangText.h"
#include "core/ProgramSettings.h"
#include "dialogs/GraphSettingsDialog.h"
#include "ProjectTestSupport.h"
#include "TestEnvironment.h"
#include "ui/CommonDialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <cmath>

using Field = GraphSettingsField;
using Swatch = GraphSettingsDialog::Swatch;

Q_DECLARE_METATYPE(GraphSettingsField)

namespace {

const QString XLengthRefused = QStringLiteral("Xmax-Xmin should be between 0.001 and 10000.");
const QString YLengthRefused = QStringLiteral("Ymax-Ymin should be between 0.001 and 10000.");
const QString PointsRefused = QStringLiteral("The number of points must be an integer between 10 and 1000 !");
const QString StepsRefused = QStringLiteral("The number of steps must be an integer between 100 and 50000 !");
const QString TypeValue = QStringLiteral("Type a value.");
// The x max of every session: a value that 15 digits do not carry.
const double SessionXMax = 10.0 / 3;

// Answers the colour dialog with a fixed colour (invalid: Cancel).
class FixedColour : public DialogSink {
public:
    explicit FixedColour(const QColor &answer) : m_answer(answer) { SetDialogSink(this); }
    ~FixedColour() override { SetDialogSink(nullptr); }
    QStringList openFiles(QWidget *, const QString &, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFile(QWidget *, const QString &, const QString &, const QString &, const QString &) override { return {}; }
    QColor colour(QWidget *, const QColor &) override { return m_answer; }
    bool print(QWidget *, QPrinter &) override { return false; }

private:
    QColor m_answer;
};

// A project on [-10, 10] with every setting away from the defaults, its dialog, and the
// refresh calls the dialog made.
struct Session {
    std::unique_ptr<FunctionProject> project;
    QList<bool> refreshes;
    std::unique_ptr<GraphSettingsDialog> dialog;

    Session()
    {
        project = ProjectTestSupport::makeProject(QStringLiteral("x^2-2"), -10, 10);
        project->setXMax(SessionXMax);
        project->setYMin(-3);
        project->setYMax(5);
        project->setGraphPoints(300);
        project->setRootSteps(2000);
        project->setGraphColor(0x00FF00);
        project->setAxesColor(0x0000FF);
        project->setGridColor(0x123456);
        project->setTitle(QStringLiteral("Parabola"));
        dialog = std::make_unique<GraphSettingsDialog>(*project, [this](bool interval) { refreshes << interval; });
    }
    QLineEdit *edit(Field field) const { return dialog->edit(field); }
    // Field::None types the title.
    void type(Field field, const QString &text) const
    {
        (field == Field::None ? dialog->titleEdit() : dialog->edit(field))->setText(text);
    }
    void showActive() const
    {
        dialog->show();
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }
};

// Everything the dialog edits but the title.
QVariantList numbersOf(const FunctionProject &project)
{
    return {project.xMin(), project.xMax(), project.yMin(), project.yMax(), project.graphPoints(),
            project.rootSteps(), project.graphColor(), project.axesColor(), project.gridColor()};
}

} // namespace

class TestGraphSettings : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QString why;
        QVERIFY2(ProjectTestSupport::engineReady(&why), qPrintable(why));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        SetLanguageFile(QString());
    }

    void init() { programSettings() = ProgramSettings(); }

    void bounds_data()
    {
        QTest::addColumn<QString>("xMaxBefore");   // typed (and accepted) first; empty: none
        QTest::addColumn<Field>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");   // empty: accepted; "*": any engine message
        QTest::addColumn<double>("low");        // the edited axis afterwards
        QTest::addColumn<double>("high");
        const double twoPi = 2 * 3.141592653589793;
        // e is Euler's number, never an exponent: 2e is 2*e, and e2 is a name.
        const double twoE = 2 * 2.718281828459045;
        QTest::newRow("2*pi as x max") << "" << Field::XMax << "2*pi" << "" << -10.0 << twoPi;
        QTest::newRow("2e is 2*e") << "" << Field::XMax << "2e" << "" << -10.0 << twoE;
        QTest::newRow("2e2 names nothing") << "" << Field::XMax << "2e2" << "Unknown function." << -10.0 << SessionXMax;
        QTest::newRow("x min 5 with x max 5 is empty") << "5" << Field::XMin << "5" << XLengthRefused << -10.0 << 5.0;
        QTest::newRow("x min above x max") << "" << Field::XMin << "7" << XLengthRefused << -10.0 << SessionXMax;
        QTest::newRow("x length beyond 10000") << "" << Field::XMin << "-9997" << XLengthRefused << -10.0 << SessionXMax;
        QTest::newRow("y length of 10000 is the most") << "" << Field::YMax << "9997" << "" << -3.0 << 9997.0;
        QTest::newRow("y length beyond 10000") << "" << Field::YMax << "9997.5" << YLengthRefused << -3.0 << 5.0;
        QTest::newRow("y length below 0.001") << "" << Field::YMax << "-2.9995" << YLengthRefused << -3.0 << 5.0;
        QTest::newRow("y length of 0.001 is the least") << "" << Field::YMin << "4.999" << "" << 4.999 << 5.0;
        QTest::newRow("y max equal to y min") << "" << Field::YMax << "-3" << YLengthRefused << -3.0 << 5.0;
        QTest::newRow("empty field") << "" << Field::YMin << "" << TypeValue << -3.0 << 5.0;
        QTest::newRow("blank field") << "" << Field::XMax << "  " << TypeValue << -10.0 << SessionXMax;
        QTest::newRow("unknown function") << "" << Field::XMin << "foo(2)" << "Unknown function." << -10.0 << SessionXMax;
        QTest::newRow("division by zero") << "" << Field::YMin << "1/0" << "*" << -3.0 << 5.0;
    }

    void bounds()
    {
        QFETCH(QString, xMaxBefore);
        QFETCH(Field, field);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(double, low);
        QFETCH(double, high);
        RecordingMessages boxes;
        Session session;
        if (!xMaxBefore.isEmpty()) {
            session.type(Field::XMax, xMaxBefore);
            QCOMPARE(session.refreshes, QList<bool>{true});
            session.refreshes.clear();
        }
        session.type(field, typed);
        const bool isX = field == Field::XMin || field == Field::XMax;
        const bool accepted = message.isEmpty();
        const QLabel *label = session.dialog->errorLabel();
        QCOMPARE(label->isVisibleTo(session.dialog.get()), !accepted);
        if (message == QStringLiteral("*"))   // an engine message, whichever it is
            QVERIFY(!label->text().isEmpty() && label->text() != TypeValue);
        else if (!accepted)
            QCOMPARE(label->text(), message);
        QCOMPARE(session.refreshes, accepted ? QList<bool>{isX} : QList<bool>{});
        QCOMPARE(isX ? session.project->xMin() : session.project->yMin(), low);
        QCOMPARE(isX ? session.project->xMax() : session.project->yMax(), high);
        QVERIFY(boxes.shown.isEmpty());
    }

    void counts_data()
    {
        QTest::addColumn<Field>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint32>("expected");   // 0: refused
        QTest::newRow("9 points") << Field::GraphPoints << "9" << 0;
        QTest::newRow("10 points") << Field::GraphPoints << "10" << 10;
        QTest::newRow("1000 points") << Field::GraphPoints << "1000" << 1000;
        QTest::newRow("1001 points") << Field::GraphPoints << "1001" << 0;
        QTest::newRow("200.4 points are 200") << Field::GraphPoints << "200.4" << 200;
        QTest::newRow("2e2 points are 200") << Field::GraphPoints << "2e2" << 200;
        QTest::newRow("250.5 points round to even") << Field::GraphPoints << "250.5" << 250;
        QTest::newRow("9.6 points round up to 10") << Field::GraphPoints << "9.6" << 10;
        QTest::newRow("points as an expression") << Field::GraphPoints << "2*100" << 0;
        QTest::newRow("no points") << Field::GraphPoints << "" << 0;
        QTest::newRow("99 steps") << Field::RootSteps << "99" << 0;
        QTest::newRow("100 steps") << Field::RootSteps << "100" << 100;
        QTest::newRow("50000 steps") << Field::RootSteps << "50000" << 50000;
        QTest::newRow("50001 steps") << Field::RootSteps << "50001" << 0;
        QTest::newRow("steps nan") << Field::RootSteps << "nan" << 0;
    }

    void counts()
    {
        QFETCH(Field, field);
        QFETCH(QString, typed);
        QFETCH(qint32, expected);
        Session session;
        const bool points = field == Field::GraphPoints;
        session.type(field, typed);
        const qint32 value = points ? session.project->graphPoints() : session.project->rootSteps();
        if (expected != 0) {
            QCOMPARE(value, expected);
            QCOMPARE(session.refreshes, QList<bool>{!points});
            QVERIFY(session.dialog->errorLabel()->isHidden());
        } else {
            QCOMPARE(value, points ? 300 : 2000);
            QCOMPARE(session.refreshes, QList<bool>{});
            QCOMPARE(session.dialog->errorLabel()->text(), points ? PointsRefused : StepsRefused);
        }
    }

    // Which edits redraw, and which of them empty the roots list. Field::None is the title.
    void refreshFlag_data()
    {
        QTest::addColumn<Field>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Field>("thenField");
        QTest::addColumn<QString>("thenTyped");   // empty: one edit only
        QTest::addColumn<QList<bool>>("refreshes");
        const Field title = Field::None;
        QTest::newRow("x min") << Field::XMin << "-4" << title << "" << QList<bool>{true};
        QTest::newRow("steps") << Field::RootSteps << "3000" << title << "" << QList<bool>{true};
        QTest::newRow("y max") << Field::YMax << "6" << title << "" << QList<bool>{false};
        QTest::newRow("points") << Field::GraphPoints << "400" << title << "" << QList<bool>{false};
        QTest::newRow("title alone") << title << "New" << title << "" << QList<bool>{};
        QTest::newRow("title, then y min") << title << "New" << Field::YMin << "-4" << QList<bool>{false};
        QTest::newRow("the same value retyped") << Field::YMin << "-3.0" << title << "" << QList<bool>{};
        QTest::newRow("y edit keeps an untouched 10/3") << Field::YMin << "-4" << title << "" << QList<bool>{false};
    }

    void refreshFlag()
    {
        QFETCH(Field, field);
        QFETCH(QString, typed);
        QFETCH(Field, thenField);
        QFETCH(QString, thenTyped);
        QFETCH(QList<bool>, refreshes);
        Session session;
        session.type(field, typed);
        if (!thenTyped.isEmpty())
            session.type(thenField, thenTyped);
        QCOMPARE(session.refreshes, refreshes);
        if (field != Field::XMin)
            QCOMPARE(session.project->xMax(), SessionXMax);
        // The title goes along with the next preview, never on its own.
        if (field == Field::None)
            QCOMPARE(session.project->title(), thenTyped.isEmpty() ? QStringLiteral("Parabola") : typed);
    }

    void colourSwatch_data()
    {
        QTest::addColumn<QColor>("answer");     // invalid: the colour dialog cancelled
        QTest::addColumn<qint32>("stored");
        QTest::addColumn<QList<bool>>("refreshes");
        QTest::newRow("chosen, stored as 0x00BBGGRR") << QColor(0x12, 0x34, 0x56) << 0x563412 << QList<bool>{false};
        QTest::newRow("cancelled") << QColor() << 0x0000FF << QList<bool>{};
        QTest::newRow("the same colour") << QColor(Qt::red) << 0x0000FF << QList<bool>{};
    }

    void colourSwatch()
    {
        QFETCH(QColor, answer);
        QFETCH(qint32, stored);
        QFETCH(QList<bool>, refreshes);
        Session session;
        FixedColour dialogAnswer(answer);
        QTest::mouseClick(session.dialog->swatch(Swatch::Axes), Qt::LeftButton);
        QCOMPARE(session.dialog->swatchColor(Swatch::Axes), stored);
        QCOMPARE(session.project->axesColor(), stored);
        QCOMPARE(session.refreshes, refreshes);
    }

    // OK, Enter and a click on the error label check everything; a refusal moves the focus.
    void apply_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<Field>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Field>("focus");       // None: accepted
        QTest::addColumn<int>("caret");         // -1: the whole text selected
        QTest::addColumn<bool>("closed");
        // Field::None types the title, which only an apply gives the project.
        QTest::newRow("OK applies and closes") << "ok" << Field::None << "T1" << Field::None << -1 << true;
        QTest::newRow("Enter applies, stays open") << "enter" << Field::None << "T2" << Field::None << -1 << false;
        QTest::newRow("OK refuses an empty x interval") << "ok" << Field::XMax << "-10" << Field::XMin << -1 << false;
        QTest::newRow("Enter refuses a flat y view") << "enter" << Field::YMin << "5" << Field::YMin << -1 << false;
        QTest::newRow("label click refuses 9 points") << "label" << Field::GraphPoints << "9" << Field::GraphPoints << -1 << false;
        QTest::newRow("OK refuses 50001 steps") << "ok" << Field::RootSteps << "50001" << Field::RootSteps << -1 << false;
        QTest::newRow("empty y max") << "ok" << Field::YMax << "" << Field::YMax << -1 << false;
        QTest::newRow("caret at a bad character") << "enter" << Field::XMax << "12#4" << Field::XMax << 2 << false;
        QTest::newRow("caret at an unknown function") << "ok" << Field::YMin << "1+foo(2)" << Field::YMin << 2 << false;
    }

    void apply()
    {
        QFETCH(QString, trigger);
        QFETCH(Field, field);
        QFETCH(QString, typed);
        QFETCH(Field, focus);
        QFETCH(int, caret);
        QFETCH(bool, closed);
        RecordingMessages boxes;
        Session session;
        session.showActive();
        session.type(field, typed);
        const QString preview = session.dialog->errorLabel()->text();
        session.edit(Field::RootSteps)->setFocus();
        if (trigger == QStringLiteral("ok"))
            QTest::mouseClick(session.dialog->okButton(), Qt::LeftButton);
        else if (trigger == QStringLiteral("enter"))
            QTest::keyClick(session.edit(Field::RootSteps), Qt::Key_Return);
        else
            QTest::mouseClick(session.dialog->errorLabel(), Qt::LeftButton);
        QCOMPARE(session.dialog->isVisible(), !closed);
        QVERIFY(boxes.shown.isEmpty());
        if (focus == Field::None) {
            QCOMPARE(session.project->title(), typed);
            QCOMPARE(session.refreshes, QList<bool>{false});
            return;
        }
        QLineEdit *faulty = session.edit(focus);
        QCOMPARE(QApplication::focusWidget(), faulty);
        if (caret < 0) {
            QCOMPARE(faulty->selectedText(), faulty->text());
        } else {
            QVERIFY(!faulty->hasSelectedText());
            QCOMPARE(faulty->cursorPosition(), caret);
        }
        // Only an empty field or an expression says something new; the rest keep the preview's word.
        if (typed.isEmpty())
            QCOMPARE(session.dialog->errorLabel()->text(), TypeValue);
        else if (caret < 0)
            QCOMPARE(session.dialog->errorLabel()->text(), preview);
    }

    void cancel_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QList<bool>>("refreshes");
        QTest::addColumn<QString>("title");     // the project's title at the end
        QTest::newRow("title alone, Cancel") << "title cancel" << QList<bool>{} << "Parabola";
        QTest::newRow("title alone, OK") << "title ok" << QList<bool>{false} << "New title";
        QTest::newRow("interval, Cancel") << "xmin cancel" << QList<bool>{true, true} << "Parabola";
        QTest::newRow("y view, Esc") << "ymin escape" << QList<bool>{false, false} << "Parabola";
        QTest::newRow("Default, Cancel") << "default cancel" << QList<bool>{true, true} << "Parabola";
        QTest::newRow("a refused edit, Cancel") << "refused cancel" << QList<bool>{} << "Parabola";
    }

    void cancel()
    {
        QFETCH(QString, steps);
        QFETCH(QList<bool>, refreshes);
        QFETCH(QString, title);
        Session session;
        session.showActive();
        const FunctionProject &project = *session.project;
        const QVariantList before = numbersOf(project);
        if (steps.startsWith(QStringLiteral("title")))
            session.type(Field::None, QStringLiteral("New title"));
        else if (steps.startsWith(QStringLiteral("xmin")))
            session.type(Field::XMin, QStringLiteral("-1"));
        else if (steps.startsWith(QStringLiteral("ymin")))
            session.type(Field::YMin, QStringLiteral("-1"));
        else if (steps.startsWith(QStringLiteral("refused")))
            session.type(Field::XMin, QStringLiteral("100"));
        else {
            QTest::mouseClick(session.dialog->defaultButton(), Qt::LeftButton);
            QCOMPARE(project.xMax(), 10.0);
            QCOMPARE(project.rootSteps(), 1000);
            QCOMPARE(project.title(), QStringLiteral("x^2-2=0"));
            QCOMPARE(project.gridColor(), 12632256);
            QCOMPARE(session.edit(Field::GraphPoints)->text(), QStringLiteral("200"));
        }

        if (steps.endsWith(QStringLiteral("ok")))
            QTest::mouseClick(session.dialog->okButton(), Qt::LeftButton);
        else if (steps.endsWith(QStringLiteral("escape")))
            QTest::keyClick(session.dialog.get(), Qt::Key_Escape);
        else
            QTest::mouseClick(session.dialog->cancelButton(), Qt::LeftButton);
        QVERIFY(!session.dialog->isVisible());
        QCOMPARE(session.refreshes, refreshes);
        QCOMPARE(project.title(), title);
        QCOMPARE(numbersOf(project), before);
    }

    void errorLabelFadesAfterSixSeconds()
    {
        Session session;
        const QLabel *label = session.dialog->errorLabel();
        QTimer *timer = session.dialog->errorTimer();
        // A correction that passes takes the message away at once.
        session.type(Field::XMax, QStringLiteral("2*p"));
        QVERIFY(!label->isHidden());
        session.type(Field::XMax, QStringLiteral("2*pi"));
        QVERIFY(label->isHidden());
        session.type(Field::GraphPoints, QStringLiteral("9"));
        QVERIFY(!label->isHidden());
        session.type(Field::GraphPoints, QStringLiteral("1000"));
        QVERIFY(label->isHidden());
        // Otherwise the message stays until the timer ends.
        session.type(Field::GraphPoints, QStringLiteral("1001"));
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 6000);
        QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
        QVERIFY(label->isHidden());
        QVERIFY(!timer->isActive());
    }

    void boundsShownAsTheEngineReadsThem_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("tiny") << 0.00005 << "0.00005";
        QTest::newRow("a third") << 1.0 / 3 << "0.333333333333333";
        QTest::newRow("large") << 2e15 << "2000000000000000";
        QTest::newRow("negative tiny") << -1.5e-7 << "-0.00000015";
    }

    void boundsShownAsTheEngineReadsThem()
    {
        QFETCH(double, value);
        QFETCH(QString, shown);
        QCOMPARE(GraphSettingsModel::boundText(value), shown);
        QCOMPARE(GraphSettingsModel::boundText(value, QLocale(QLocale::German)), QString(shown).replace('.', ','));
        // What the field shows and nobody edits stays the project's exact value.
        Session session;
        session.project->setXMin(value);
        session.project->setXMax(value + 1);
        GraphSettingsModel model(*session.project);
        GraphSettingsFields fields = model.fields();
        QCOMPARE(fields.xMin, shown);
        fields.yMin = QStringLiteral("-2");
        QVERIFY(model.preview(fields).accepted());
        QCOMPARE(session.project->xMin(), value);
        // Edited, it goes through the engine and comes back to 15 significant digits.
        fields.xMin = QLatin1Char('(') + shown + QLatin1Char(')');
        QVERIFY(model.preview(fields).accepted());
        QVERIFY(std::fabs(session.project->xMin() - value) <= 1e-14 * std::fabs(value));
    }
};

TREV_TEST_MAIN(TestGraphSettings)
#include "tst_graphsettings.moc"
