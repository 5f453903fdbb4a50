// The evaluate, integrate, derive and extrema dialogs on a graph pane: what their boxes and
// lists show, the marker and the shading on the graph, the error label and its timer, going to
// the error, Ctrl+N in the derive dialog, and leaving the graph as it was on closing.
#include "core/LangText.h"
#include "core/ProgramSettings.h"
#include "dialogs/DeriveDialog.h"
#include "dialogs/DialogPlacement.h"
#include "dialogs/EvaluateDialog.h"
#include "dialogs/EvaluateModel.h"
#include "dialogs/ExtremaDialog.h"
#include "dialogs/IntegrateDialog.h"
#include "graph/GraphPane.h"
#include "ProjectTestSupport.h"
#include "TestEnvironment.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <cmath>

namespace {

// Instead of a typed value: the boxes as the dialog opened.
const QString Opened = QStringLiteral("<opened>");
const QString Please = QStringLiteral("Please enter the value !");
const QString LogMessage = QStringLiteral("Error evaluating logarithm. The argument must be > 0.");
const QString NotDifferentiable = QStringLiteral("f not differentiable");
const QString FirstNotDifferentiable = QStringLiteral("f' not differentiable");

// A project shown in a pane, and how often a dialog asked for a repaint.
struct Graph {
    std::unique_ptr<FunctionProject> project;
    GraphPane pane;
    int repaints = 0;

    Graph(const QString &function, double a, double b, qint32 steps = 0)
        : project(ProjectTestSupport::makeProject(function, a, b, QString(), steps))
    {
        pane.setProject(project.get());
        pane.load(false);
    }
    std::function<void()> repaint()
    {
        return [this] { ++repaints; };
    }
    // The picture of the plain graph, without marks.
    QImage plainPicture() const
    {
        GraphPane plain;
        plain.setProject(project.get());
        plain.load(false);
        return plain.surface().image();
    }
};

void showActive(QDialog &dialog)
{
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
}

// An evaluate or integrate dialog on `graph`, with its input boxes (the x box, or start and end),
// its result box and its Cancel button.
struct CalculationSession {
    std::unique_ptr<CalculationDialog> dialog;
    QLineEdit *inputs[2] = {nullptr, nullptr};
    QLineEdit *result = nullptr;
    QPushButton *cancel = nullptr;

    CalculationSession(const QString &kind, Graph &graph)
    {
        if (kind == QLatin1String("evaluate")) {
            auto *evaluate = new EvaluateDialog(*graph.project, graph.pane, graph.repaint());
            inputs[0] = evaluate->xEdit();
            result = evaluate->valueBox();
            cancel = evaluate->cancelButton();
            dialog.reset(evaluate);
        } else {
            auto *integrate = new IntegrateDialog(*graph.project, graph.pane, graph.repaint());
            inputs[0] = integrate->startEdit();
            inputs[1] = integrate->endEdit();
            result = integrate->integralBox();
            cancel = integrate->cancelButton();
            dialog.reset(integrate);
        }
    }
};

} // namespace

class TestCalculateDialogs : public QObject {
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

    void evaluate_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("message");   // empty: no error shown
        QTest::addColumn<bool>("marked");
        QTest::newRow("opens at the middle of the view") << "x^2-3" << Opened << 8 << "-3" << "0" << "2" << "" << true;
        QTest::newRow("sin at pi") << "sin(x)" << "pi" << 8 << "0" << "-1" << "0" << "" << true;
        QTest::newRow("ln at 0") << "ln(x)" << "0" << 8 << "Error" << NotDifferentiable << FirstNotDifferentiable
                                 << LogMessage << false;
        QTest::newRow("sqrt at 0: value, no derivative")
            << "sqrt(x)" << "0" << 8 << "0" << NotDifferentiable << FirstNotDifferentiable << "" << true;
        // An emptied box keeps the marker the dialog opened with.
        QTest::newRow("empty x") << "x^2" << "" << 8 << "" << "" << "" << Please << true;
        QTest::newRow("blank x") << "x^2" << "   " << 8 << "" << "" << "" << Please << true;
        QTest::newRow("no value text") << "x^2" << "foo(2)" << 8 << "" << "" << "" << "Unknown function." << false;
        QTest::newRow("constant expression pi/6") << "2*sin(x)" << "pi/6" << 8 << "1" << "1.73205081" << "-1" << ""
                                                  << true;
        // 1/32 and 3/32 are exact binary ties at 4 decimals.
        QTest::newRow("4 decimals, tie down to even") << "x" << "1/32" << 4 << "0.0312" << "1" << "0" << "" << true;
        QTest::newRow("4 decimals, tie up to even") << "x" << "3/32" << 4 << "0.0938" << "1" << "0" << "" << true;
        QTest::newRow("14 decimals") << "x/3" << "1" << 14 << "0.33333333333333" << "0.33333333333333" << "0" << ""
                                     << true;
    }

    void evaluate()
    {
        QFETCH(QString, function);
        QFETCH(QString, typed);
        QFETCH(int, decimals);
        QFETCH(QString, value);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, message);
        QFETCH(bool, marked);
        programSettings().Decimals = decimals;
        Graph graph(function, -4, 4);
        EvaluateDialog dialog(*graph.project, graph.pane, graph.repaint());
        if (typed != Opened)
            dialog.xEdit()->setText(typed);
        QCOMPARE(dialog.valueBox()->text(), value);
        QCOMPARE(dialog.firstDerivativeBox()->text(), first);
        QCOMPARE(dialog.secondDerivativeBox()->text(), second);
        QCOMPARE(!dialog.errorLabel()->isHidden(), !message.isEmpty());
        QCOMPARE(dialog.helpLink()->isHidden(), !message.isEmpty());
        if (!message.isEmpty())
            QCOMPARE(dialog.errorLabel()->text(), message);
        QCOMPARE(graph.pane.surface().image() != graph.plainPicture(), marked);
    }

    // The marker follows the value: a new value erases the old marker, an empty box keeps it.
    void markerFollowsTheValue()
    {
        Graph graph(QStringLiteral("x^2"), -4, 4);
        EvaluateDialog dialog(*graph.project, graph.pane, graph.repaint());
        dialog.xEdit()->setText(QStringLiteral("1"));
        const QImage atOne = graph.pane.surface().image();
        dialog.xEdit()->setText(QStringLiteral("-2"));
        const QImage atMinusTwo = graph.pane.surface().image();
        QVERIFY(atOne != atMinusTwo);
        const QPointF point = graph.pane.surface().toPixel(-2, 4);
        // A black disc at (-2, 4), with the coordinates written to its right.
        QCOMPARE(atMinusTwo.pixelColor(point.toPoint()), QColor(Qt::black));
        dialog.xEdit()->setText(QStringLiteral("1"));
        QCOMPARE(graph.pane.surface().image(), atOne);
        QVERIFY(graph.repaints >= 3);
    }

    void coordinatesBesideTheMarker_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::newRow("rounded to the decimals") << 1.0 / 3 << -2.0 << 4 << "en_US" << "(0.3333; -2)";
        QTest::newRow("decimal comma, semicolon between") << 0.5 << 0.25 << 8 << "de_DE" << "(0,5; 0,25)";
    }

    void coordinatesBesideTheMarker()
    {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(int, decimals);
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QCOMPARE(EvaluateModel::coordinatesText(x, y, decimals, QLocale(locale)), text);
    }

    void integrate_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("integral");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("shaded");
        QTest::newRow("opens on the interval [-4, 4]") << "x^2" << Opened << Opened << "42.66666667" << "" << true;
        QTest::newRow("start 2, end 1") << "x^2" << "2" << "1" << "" << "Start should be <= End !" << false;
        QTest::newRow("empty end") << "x^2" << "0" << "" << "" << "End: Please enter the value !" << false;
        // An emptied start keeps the shading the dialog opened with.
        QTest::newRow("empty start") << "x^2" << "" << "1" << "" << "Start: Please enter the value !" << true;
        QTest::newRow("no value text at the end") << "x^2" << "0" << "2+foo(1)" << ""
                                                  << "End: Unknown function." << false;
        QTest::newRow("x^2 over [0, 1], 8 decimals") << "x^2" << "0" << "1" << "0.33333333" << "" << true;
        QTest::newRow("sin over [0, pi]") << "sin(x)" << "0" << "pi" << "2" << "" << true;
        // Nothing to shade over a single point.
        QTest::newRow("equal bounds give 0") << "x^2" << "1.5" << "1.5" << "0" << "" << false;
        QTest::newRow("1/x across its pole") << "1/x" << "-1" << "1" << ""
                                             << "The integral does not converge: f has a pole near x = 0." << true;
    }

    void integrate()
    {
        QFETCH(QString, function);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, integral);
        QFETCH(QString, message);
        QFETCH(bool, shaded);
        Graph graph(function, -4, 4);
        IntegrateDialog dialog(*graph.project, graph.pane, graph.repaint());
        if (start != Opened) {
            dialog.startEdit()->setText(start);
            dialog.endEdit()->setText(end);
        }
        QCOMPARE(dialog.integralBox()->text(), integral);
        QCOMPARE(!dialog.errorLabel()->isHidden(), !message.isEmpty());
        if (!message.isEmpty())
            QCOMPARE(dialog.errorLabel()->text(), message);
        QCOMPARE(graph.pane.surface().image() != graph.plainPicture(), shaded);
    }

    // The message stays until 6 s after the last error; a valid result takes it away at once.
    void errorLabelTimer_data()
    {
        QTest::addColumn<QString>("dialogKind");
        QTest::addColumn<bool>("correctBeforeTimeout");
        QTest::newRow("evaluate, timer") << "evaluate" << false;
        QTest::newRow("evaluate, corrected") << "evaluate" << true;
        QTest::newRow("integrate, timer") << "integrate" << false;
        QTest::newRow("integrate, corrected") << "integrate" << true;
    }

    void errorLabelTimer()
    {
        QFETCH(QString, dialogKind);
        QFETCH(bool, correctBeforeTimeout);
        Graph graph(QStringLiteral("x^2"), -4, 4);
        CalculationSession session(dialogKind, graph);
        const std::unique_ptr<CalculationDialog> &dialog = session.dialog;
        QLineEdit *input = session.inputs[1] ? session.inputs[1] : session.inputs[0];
        QLineEdit *result = session.result;
        if (session.inputs[1])
            session.inputs[0]->setText(QStringLiteral("0"));
        input->setText(QStringLiteral("1/0"));
        QTimer *timer = dialog->errorTimer();
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 6000);
        QVERIFY(!dialog->errorLabel()->isHidden());
        QVERIFY(dialog->helpLink()->isHidden());
        QVERIFY(result->text().isEmpty());
        if (correctBeforeTimeout) {
            input->setText(QStringLiteral("3"));
            QCOMPARE(result->text(), QStringLiteral("9"));   // 3^2, and the integral of x^2 over [0, 3]
        } else {
            QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
        }
        QVERIFY(dialog->errorLabel()->isHidden());
        QVERIFY(!dialog->helpLink()->isHidden());
        QVERIFY(!timer->isActive());
    }

    // Enter anywhere or a click on the message puts the focus (and the caret) on the fault.
    void goToError_data()
    {
        QTest::addColumn<QString>("dialogKind");
        QTest::addColumn<QString>("function");
        QTest::addColumn<QString>("first");    // x, or the start
        QTest::addColumn<QString>("second");   // the end
        QTest::addColumn<QString>("trigger");  // "enter", "label", "enter after timeout"
        QTest::addColumn<int>("focused");      // 0: the first box, 1: the second, -1: focus stays
        QTest::addColumn<int>("caret");        // -1: whole text selected
        QTest::newRow("evaluate: caret at a bad character") << "evaluate" << "x^2" << "12#4" << "" << "enter" << 0 << 2;
        QTest::newRow("evaluate: empty x") << "evaluate" << "x^2" << "" << "" << "label" << 0 << -1;
        QTest::newRow("evaluate: f fails at x") << "evaluate" << "ln(x)" << "0" << "" << "enter" << 0 << -1;
        QTest::newRow("evaluate: f defined, f' fails") << "evaluate" << "sqrt(x)" << "0" << "" << "enter" << 0 << -1;
        QTest::newRow("evaluate: nothing wrong") << "evaluate" << "x^2" << "2" << "" << "enter" << -1 << -1;
        QTest::newRow("integrate: empty start") << "integrate" << "x^2" << "" << "1" << "label" << 0 << -1;
        QTest::newRow("integrate: caret in the end") << "integrate" << "x^2" << "0" << "1+foo(2)" << "enter" << 1 << 2;
        QTest::newRow("integrate: order is no box's fault") << "integrate" << "x^2" << "2" << "1" << "enter" << -1
                                                            << -1;
        QTest::newRow("integrate: message gone, Enter does nothing")
            << "integrate" << "x^2" << "0" << "" << "enter after timeout" << -1 << -1;
    }

    void goToError()
    {
        QFETCH(QString, dialogKind);
        QFETCH(QString, function);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, trigger);
        QFETCH(int, focused);
        QFETCH(int, caret);
        Graph graph(function, -4, 4);
        CalculationSession session(dialogKind, graph);
        const std::unique_ptr<CalculationDialog> &dialog = session.dialog;
        QLineEdit *const *boxes = session.inputs;
        QPushButton *cancel = session.cancel;
        showActive(*dialog);
        boxes[0]->setText(first);
        if (boxes[1])
            boxes[1]->setText(second);
        if (trigger.endsWith(QLatin1String("timeout")))
            QVERIFY(QMetaObject::invokeMethod(dialog->errorTimer(), "timeout"));
        cancel->setFocus();
        if (trigger == QLatin1String("label"))
            QTest::mouseClick(dialog->errorLabel(), Qt::LeftButton);
        else
            QTest::keyClick(cancel, Qt::Key_Return);
        QVERIFY(dialog->isVisible());
        if (focused < 0) {
            QCOMPARE(QApplication::focusWidget(), cancel);
            return;
        }
        QLineEdit *box = boxes[focused];
        QCOMPARE(QApplication::focusWidget(), box);
        if (caret < 0) {
            QCOMPARE(box->selectedText(), box->text());
        } else {
            QVERIFY(!box->hasSelectedText());
            QCOMPARE(box->cursorPosition(), caret);
        }
    }

    // Where a 400 x 300 dialog opens on a 1920 x 1080 screen: right of the graph window, else
    // below it, else where it hides least of the graph surface, never over its centre.
    void placementBesideTheGraph_data()
    {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QRect>("surface");
        QTest::addColumn<QPoint>("placed");
        QTest::newRow("room at the right") << QRect(100, 100, 800, 600) << QRect(110, 130, 780, 560) << QPoint(900, 100);
        QTest::newRow("low window: kept on screen") << QRect(100, 900, 800, 600) << QRect(110, 930, 780, 560)
                                                    << QPoint(900, 780);
        QTest::newRow("below") << QRect(1200, 100, 700, 600) << QRect(1210, 130, 680, 560) << QPoint(1200, 700);
        QTest::newRow("no room outside: a corner off the surface")
            << QRect(0, 0, 1920, 1080) << QRect(500, 0, 1420, 1080) << QPoint(0, 780);
        QTest::newRow("surface fills the screen: a corner") << QRect(0, 0, 1920, 1080) << QRect(0, 0, 1920, 1080)
                                                            << QPoint(1520, 0);
    }

    void placementBesideTheGraph()
    {
        QFETCH(QRect, window);
        QFETCH(QRect, surface);
        QFETCH(QPoint, placed);
        const QPoint corner = DialogPlacement::besideGraph(QSize(400, 300), window, surface, QRect(0, 0, 1920, 1080));
        QCOMPARE(corner, placed);
        QVERIFY(!QRect(corner, QSize(400, 300)).contains(surface.center()));
    }

    // Closing takes the marks away: the graph is redrawn and the window repaints.
    void closingRestoresTheGraph_data()
    {
        QTest::addColumn<QString>("dialogKind");
        QTest::newRow("evaluate") << "evaluate";
        QTest::newRow("integrate") << "integrate";
        QTest::newRow("extrema") << "extrema";
    }

    void closingRestoresTheGraph()
    {
        QFETCH(QString, dialogKind);
        Graph graph(QStringLiteral("x^2-2"), -4, 4);
        std::unique_ptr<QDialog> dialog;
        if (dialogKind == QLatin1String("extrema")) {
            auto *extrema = new ExtremaDialog(*graph.project, graph.pane, graph.repaint());
            extrema->list()->setCurrentCell(0, 0);
            dialog.reset(extrema);
        } else {
            CalculationSession session(dialogKind, graph);
            session.inputs[0]->setText(QStringLiteral("-1"));
            if (session.inputs[1])
                session.inputs[1]->setText(QStringLiteral("2"));
            dialog = std::move(session.dialog);
        }
        QVERIFY(graph.pane.surface().image() != graph.plainPicture());
        const int repaints = graph.repaints;
        showActive(*dialog);
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(graph.pane.surface().image(), graph.plainPicture());
        QCOMPARE(graph.repaints, repaints + 1);
    }

    // Ctrl+N opens the function of that box as a new project over the same interval.
    void deriveOpensProject_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<QString>("parameters");
        QTest::addColumn<int>("box");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("expected");   // the new project's f at x
        QTest::newRow("f'' of x^3 is 6x") << "x^3" << "" << 2 << 2.0 << 12.0;
        QTest::newRow("f' of sin is cos") << "sin(x)" << "" << 1 << 0.0 << 1.0;
        QTest::newRow("f itself") << "x^2-2" << "" << 0 << 3.0 << 7.0;
        QTest::newRow("f' keeps the parameter values") << "a*x^2" << "a=3" << 1 << 1.0 << 6.0;
    }

    void deriveOpensProject()
    {
        QFETCH(QString, function);
        QFETCH(QString, parameters);
        QFETCH(int, box);
        QFETCH(double, x);
        QFETCH(double, expected);
        auto project = ProjectTestSupport::makeProject(function, -3, 7, parameters);
        QVERIFY(project);
        std::vector<std::unique_ptr<FunctionProject>> opened;
        DeriveDialog dialog(*project, [&opened](std::unique_ptr<FunctionProject> p) { opened.push_back(std::move(p)); });
        showActive(dialog);
        QLineEdit *source = dialog.functionBox(box);
        QCOMPARE(source->toolTip(), source->text());
        source->setFocus();
        QTest::keyClick(source, Qt::Key_N, Qt::ControlModifier);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(opened.size(), std::size_t(1));
        const FunctionProject &created = *opened.front();
        QCOMPARE(created.functionText(), source->text());
        QCOMPARE(created.xMin(), -3.0);
        QCOMPARE(created.xMax(), 7.0);
        qint32 code = 0;
        // Exact: polynomials and trigonometric values at these points.
        QCOMPARE(created.f().evaluate(x, code), expected);
        QCOMPARE(code, 0);
        QVERIFY(created.fPrime());
        // The source project keeps its own expressions.
        QVERIFY(project->f() && project->fSecond());
    }

    void deriveShowsTheDerivatives()
    {
        auto project = ProjectTestSupport::makeProject(QStringLiteral("x^3"), -1, 1);
        DeriveDialog dialog(*project, nullptr);
        QCOMPARE(dialog.functionBox(0)->text(), QStringLiteral("x^3"));
        // The printed derivatives read back as 3x^2 and 6x.
        const double atOne[] = {0, 3, 6};
        for (int box : {1, 2}) {
            auto reread = ProjectTestSupport::makeProject(dialog.functionBox(box)->text(), -1, 1);
            QVERIFY2(reread, qPrintable(dialog.functionBox(box)->text()));
            qint32 code = 0;
            QCOMPARE(reread->f().evaluate(1, code), atOne[box]);
        }
    }

    void extrema_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<QStringList>("xs");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QStringList>("types");
        const QString min = QStringLiteral("Minimum"), max = QStringLiteral("Maximum");
        QTest::newRow("x^2: one minimum") << "x^2" << -10.0 << 10.0 << QStringList{"0"} << QStringList{"0"}
                                          << QStringList{min};
        QTest::newRow("sin on [0, 10], ascending")
            << "sin(x)" << 0.0 << 10.0 << QStringList{"1.57079633", "4.71238898", "7.85398163"}
            << QStringList{"1", "-1", "1"} << QStringList{max, min, max};
        QTest::newRow("minimum at the start of the interval")
            << "x^2+1" << 0.0 << 10.0 << QStringList{"0"} << QStringList{"1"} << QStringList{min};
        QTest::newRow("x^3: inflection only") << "x^3" << -10.0 << 10.0 << QStringList{} << QStringList{}
                                              << QStringList{};
        QTest::newRow("x: f' constant") << "x" << -1.0 << 1.0 << QStringList{} << QStringList{} << QStringList{};
    }

    void extrema()
    {
        QFETCH(QString, function);
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(QStringList, xs);
        QFETCH(QStringList, values);
        QFETCH(QStringList, types);
        Graph graph(function, a, b, 1000);
        ExtremaDialog dialog(*graph.project, graph.pane, graph.repaint());
        const QTableWidget *list = dialog.list();
        QCOMPARE(list->rowCount(), xs.size());
        for (int row = 0; row < list->rowCount(); ++row) {
            QCOMPARE(list->item(row, 0)->text(), xs.at(row));
            QCOMPARE(list->item(row, 1)->text(), values.at(row));
            QCOMPARE(list->item(row, 2)->text(), types.at(row));
        }
        const bool none = xs.isEmpty();
        QCOMPARE(list->isHidden(), none);
        QCOMPARE(dialog.saveButton()->isHidden(), none);
        QCOMPARE(dialog.helpButton()->isHidden(), none);
        QVERIFY(!dialog.okButton()->isHidden());
        const QString label = dialog.resultLabel()->text();
        if (none) {
            QVERIFY(label.startsWith(QStringLiteral("No local extrema found.")));
            QCOMPARE(label.count(QStringLiteral("\n\n")), 2);
            QVERIFY(label.endsWith(QStringLiteral("an absolute minimum value.")));
        } else {
            const QString words = xs.size() == 1 ? QStringLiteral(" local extremum found.")
                                                 : QStringLiteral(" local extrema found.");
            QCOMPARE(label, QString::number(xs.size()) + words + QStringLiteral(" Click the list for details."));
        }
    }

    void extremaRowClickMarksThePoint()
    {
        Graph graph(QStringLiteral("sin(x)"), 0, 10);
        ExtremaDialog dialog(*graph.project, graph.pane, graph.repaint());
        QCOMPARE(dialog.list()->rowCount(), 3);
        QCOMPARE(graph.repaints, 0);
        dialog.markRow(1);
        const QPointF minimum = graph.pane.surface().toPixel(3 * M_PI / 2, -1);
        QCOMPARE(graph.pane.surface().image().pixelColor(minimum.toPoint()), QColor(Qt::black));
        const QImage first = graph.pane.surface().image();
        dialog.markRow(2);
        // One marker at a time.
        const QPointF maximum = graph.pane.surface().toPixel(5 * M_PI / 2, 1);
        QCOMPARE(graph.pane.surface().image().pixelColor(maximum.toPoint()), QColor(Qt::black));
        QVERIFY(graph.pane.surface().image().pixelColor(minimum.toPoint()) != QColor(Qt::black));
        QVERIFY(graph.pane.surface().image() != first);
        QCOMPARE(graph.repaints, 2);
    }
};

TREV_TEST_MAIN(TestCalculateDialogs)
#include "tst_calculatedialogs.moc"
