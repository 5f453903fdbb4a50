#include "CalculatorWindow.h"

#include "AboutBox.h"
#include "CalcSession.h"
#include "InputLine.h"
#include "SystemCalculator.h"
#include "core/LangText.h"
#include "core/MathEngine.h"
#include "core/WebAddresses.h"
#include "ui/Help.h"
#include "ui/MessageSink.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString WindowTitle = QStringLiteral("Trevolin Calculator");

QString withDots(const QString &caption)
{
    return caption + QStringLiteral("...");
}

// Results read best when digits line up.
QFont numberFont(int extraPoints)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const QFontMetrics metrics(font);
    if (metrics.horizontalAdvance(QLatin1Char('i')) != metrics.horizontalAdvance(QLatin1Char('M'))) {
        // Some platforms name no fixed font; ask the font matcher for any monospace one.
        font = QFont(QStringLiteral("monospace"), QApplication::font().pointSize());
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    }
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() + extraPoints);
    return font;
}

} // namespace

CalculatorWindow::CalculatorWindow(const CalcSettings &settings, const QString &historyFile, QWidget *parent)
    : QMainWindow(parent), m_session(new CalcSession(this)), m_historyFile(historyFile)
{
    setObjectName(QStringLiteral("CalculatorWindow"));
    setWindowTitle(WindowTitle);
    MathEngine::initialize();

    createControls();
    createMenus();
    applySkin(settings.colors);
    connectSession();
    restoreSession();

    // Comfortable for a day's work; small enough to sit beside other windows. Below the minimum
    // the controls would no longer fit, so the window does not go there.
    setMinimumSize(360, 300);
    resize(600, 460);
    m_inputBox->setFocus();
}

CalculatorWindow::~CalculatorWindow()
{
    MathEngine::clear();
}

void CalculatorWindow::createControls()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("MainArea"));
    setCentralWidget(central);

    m_historyBox = new QPlainTextEdit(central);
    m_historyBox->setObjectName(QStringLiteral("TxtCalc"));
    m_historyBox->setReadOnly(true);
    m_historyBox->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_historyBox->setFont(numberFont(2));
    m_historyBox->setFocusPolicy(Qt::ClickFocus);
    m_historyBox->setPlaceholderText(QStringLiteral("2+3\ng = 9.81\nf: x^2+1\nf(3)*g"));

    m_errorBox = new QLineEdit(central);
    m_errorBox->setObjectName(QStringLiteral("Txt_Err"));
    m_errorBox->setReadOnly(true);
    m_errorBox->setFocusPolicy(Qt::NoFocus);
    QPalette errorPalette = m_errorBox->palette();
    errorPalette.setColor(QPalette::Base, QColor(0xFF, 0xEC, 0xEC));
    errorPalette.setColor(QPalette::Text, QColor(0xA0, 0x10, 0x10));
    m_errorBox->setPalette(errorPalette);
    // The space stays reserved, so the input line does not jump when a message comes and goes.
    QSizePolicy errorPolicy = m_errorBox->sizePolicy();
    errorPolicy.setRetainSizeWhenHidden(true);
    m_errorBox->setSizePolicy(errorPolicy);
    m_errorBox->hide();

    m_inputBox = new InputLine(central);
    m_inputBox->setObjectName(QStringLiteral("TxtOnLine"));
    m_inputBox->setFont(numberFont(2));

    m_functionsBox = new QComboBox(central);
    m_functionsBox->setObjectName(QStringLiteral("CmbFunctions"));
    const QString functionTip = LangText(QStringLiteral("Function"), QStringLiteral("Function"));
    m_functionsBox->setToolTip(functionTip);
    m_functionsBox->setPlaceholderText(functionTip);
    m_functionsBox->addItems(CalcSession::builtInFunctions());
    m_functionsBox->setCurrentIndex(-1);
    m_functionsBox->setMaxVisibleItems(20);
    m_functionsBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    m_constantsBox = new QComboBox(central);
    m_constantsBox->setObjectName(QStringLiteral("CmbConst"));
    const QString constantTip = LangText(QStringLiteral("Constant"), QStringLiteral("Constant"));
    m_constantsBox->setToolTip(constantTip);
    m_constantsBox->setPlaceholderText(constantTip);
    m_constantsBox->addItems(CalcSession::builtInConstants());
    m_constantsBox->setCurrentIndex(-1);
    m_constantsBox->setMaxVisibleItems(20);
    m_constantsBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    // The lists read as controls to pick from, not as disabled fields.
    for (QComboBox *list : {m_functionsBox, m_constantsBox}) {
        QPalette listPalette = list->palette();
        listPalette.setColor(QPalette::PlaceholderText, listPalette.color(QPalette::ButtonText));
        list->setPalette(listPalette);
    }

    m_calculateButton = new QPushButton(LangText(QStringLiteral("Calculate"), QStringLiteral("&Calculate")), central);
    m_calculateButton->setObjectName(QStringLiteral("CmdCalc"));
    m_calculateButton->setAutoDefault(false);
    m_inputBox->setCalculateKey(QKeySequence::mnemonic(m_calculateButton->text()));

    m_errorTimer = new QTimer(this);
    m_errorTimer->setObjectName(QStringLiteral("Timer1"));
    m_errorTimer->setInterval(ErrorDisplayMs);
    m_errorTimer->start();

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_functionsBox, 1);
    bottom->addWidget(m_constantsBox, 1);
    bottom->addStretch(1);
    bottom->addWidget(m_calculateButton);

    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(6);
    layout->addWidget(m_historyBox, 1);
    layout->addWidget(m_errorBox);
    layout->addWidget(m_inputBox);
    layout->addLayout(bottom);

    connect(m_calculateButton, &QPushButton::clicked, this, &CalculatorWindow::calculate);
    connect(m_inputBox, &InputLine::calculateRequested, this, &CalculatorWindow::calculate);
    connect(m_inputBox, &InputLine::lastLineRequested, this, &CalculatorWindow::recallLastLine);
    connect(m_inputBox, &InputLine::olderLineRequested, this, &CalculatorWindow::recallOlderLine);
    connect(m_inputBox, &InputLine::newerLineRequested, this, &CalculatorWindow::recallNewerLine);
    connect(m_errorTimer, &QTimer::timeout, this, &CalculatorWindow::hideError);
    connect(m_functionsBox, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
        const QString name = m_functionsBox->itemText(index);
        m_functionsBox->setCurrentIndex(-1);
        insertFunction(name);
    });
    connect(m_constantsBox, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
        const QString name = m_constantsBox->itemText(index);
        m_constantsBox->setCurrentIndex(-1);
        insertConstant(name);
    });
}

void CalculatorWindow::createMenus()
{
    m_fileMenu = menuBar()->addMenu(LangText(QStringLiteral("File"), QStringLiteral("&File")));
    m_fileMenu->setObjectName(QStringLiteral("mnufile"));
    m_exitAction =
        m_fileMenu->addAction(LangText(QStringLiteral("Exit"), QStringLiteral("E&xit")), this, &QWidget::close);
    m_exitAction->setObjectName(QStringLiteral("mnuexit"));
    m_exitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    m_calculateMenu = menuBar()->addMenu(LangText(QStringLiteral("Calculate"), QStringLiteral("&Calculate")));
    m_calculateMenu->setObjectName(QStringLiteral("mnucalc"));
    m_insertMenu = m_calculateMenu->addMenu(LangText(QStringLiteral("Insert"), QStringLiteral("&Insert")));
    m_insertMenu->setObjectName(QStringLiteral("mnuinsert"));
    const QStringList functions = CalcSession::builtInFunctions();
    for (int i = 0; i < FunctionCount; ++i) {
        const QString name = functions.at(i);
        m_insertFunctionActions[i] = m_insertMenu->addAction(name, this, [this, name] { insertFunction(name); });
        m_insertFunctionActions[i]->setObjectName(QStringLiteral("mnufun%1").arg(i));
    }
    m_calculateAction =
        m_calculateMenu->addAction(withDots(LangText(QStringLiteral("Evaluate1"), QStringLiteral("&Evaluate"))), this,
                                   &CalculatorWindow::calculate);
    m_calculateAction->setObjectName(QStringLiteral("mnueval"));
    m_calculateAction->setShortcut(QKeySequence(Qt::Key_F5));
    m_clearHistoryAction = m_calculateMenu->addAction(
        withDots(LangText(QStringLiteral("ClearHistory"), QStringLiteral("&Clear history"))), this,
        &CalculatorWindow::clearHistory);
    m_clearHistoryAction->setObjectName(QStringLiteral("mnuclear"));
    m_clearHistoryAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));

    m_helpMenu = menuBar()->addMenu(LangText(QStringLiteral("Help1"), QStringLiteral("&Help")));
    m_helpMenu->setObjectName(QStringLiteral("mnuhelp"));
    m_helpContentsAction = m_helpMenu->addAction(LangText(QStringLiteral("MainHelp"), QStringLiteral("&Main help")),
                                                 this, &CalculatorWindow::showHelpContents);
    m_helpContentsAction->setObjectName(QStringLiteral("mnumainhelp"));
    m_helpContentsAction->setShortcut(QKeySequence(Qt::Key_F1));
    m_siteAction = m_helpMenu->addAction(QStringLiteral("&Trevolin OnLine"), this, &CalculatorWindow::openSite);
    m_siteAction->setObjectName(QStringLiteral("mnusite"));
    m_aboutAction = m_helpMenu->addAction(
        withDots(LangText(QStringLiteral("About1"), QStringLiteral("&About Trevolin"))), this,
        &CalculatorWindow::showAbout);
    m_aboutAction->setObjectName(QStringLiteral("mnuabout"));
    m_helpSeparator = m_helpMenu->addSeparator();
    m_helpSeparator->setObjectName(QStringLiteral("mnusep"));
    m_desktopCalculatorAction = m_helpMenu->addAction(QStringLiteral("&Desktop Calculator"), this,
                                                      &CalculatorWindow::startDesktopCalculator);
    m_desktopCalculatorAction->setObjectName(QStringLiteral("mnuwincalc"));
}

void CalculatorWindow::applySkin(const SkinColors &colors)
{
    QWidget *area = centralWidget();
    QPalette areaPalette = area->palette();
    areaPalette.setColor(QPalette::Window, colors.back);
    area->setPalette(areaPalette);
    area->setAutoFillBackground(true);

    // The caption takes the skin's text colour so it stays readable on the darker skins.
    QPalette buttonPalette = m_calculateButton->palette();
    buttonPalette.setColor(QPalette::Button, colors.back);
    buttonPalette.setColor(QPalette::ButtonText, colors.fore);
    m_calculateButton->setPalette(buttonPalette);
}

void CalculatorWindow::connectSession()
{
    connect(m_session, &CalcSession::historyAppended, this, [this](const QString &line) {
        m_historyBox->appendPlainText(line);
        scrollHistoryToEnd();
    });
    connect(m_session, &CalcSession::errorShown, this, [this](const QString &message) {
        showMessage(message);
        scrollHistoryToEnd();
    });
    connect(m_session, &CalcSession::hintShown, this, &CalculatorWindow::showMessage);
    connect(m_session, &CalcSession::errorHidden, m_errorBox, &QWidget::hide);
    connect(m_session, &CalcSession::inputReplaced, this, [this](const QString &text) {
        m_inputBox->setTextAndCaret(text, 0);
        m_inputBox->setFocus();
    });
    connect(m_session, &CalcSession::caretPlaced, this, [this](int position) {
        m_inputBox->setCaret(position);
        m_inputBox->setFocus();
    });
    connect(m_session, &CalcSession::functionListed, m_functionsBox, [this](const QString &name) {
        m_functionsBox->addItem(name);
        m_functionsBox->setCurrentIndex(-1);
    });
    connect(m_session, &CalcSession::constantListed, m_constantsBox, [this](const QString &name) {
        m_constantsBox->addItem(name);
        m_constantsBox->setCurrentIndex(-1);
    });
}

void CalculatorWindow::restoreSession()
{
    const HistoryRead read = m_historyFile.read();
    if (read.isDamaged()) {
        const QString kept = QDir::toNativeSeparators(m_historyFile.damagedPath());
        showMessage(read.failure.isEmpty()
                        ? LangText("HistoryLinesSkipped",
                                   "%1 lines of the history file could not be read and were left out; the file "
                                   "will be kept as %2.")
                              .arg(read.skipped)
                              .arg(kept)
                        : LangText("HistoryUnreadable", "The history file could not be read (%1); it will be kept as %2.")
                              .arg(read.failure, kept));
    }
    m_savedLines = static_cast<int>(read.lines.size());
    if (read.lines.isEmpty())
        return;
    m_session->restoreHistory(read.lines);
    m_historyBox->setPlainText(read.lines.join(QLatin1Char('\n')));
    scrollHistoryToEnd();
}

void CalculatorWindow::closeEvent(QCloseEvent *event)
{
    // Only this session's new lines: another calculator may have added its own meanwhile.
    reportFailedWrite(m_historyFile.append(m_session->history().mid(m_savedLines)));
    m_savedLines = static_cast<int>(m_session->history().size());
    QMainWindow::closeEvent(event);
}

void CalculatorWindow::reportFailedWrite(const FileWriteResult &result)
{
    if (result.ok)
        return;
    const QString text = LangText(QStringLiteral("HistoryNotSaved"), QStringLiteral("The history could not be saved:"));
    Messages().warning(WindowTitle, text + QLatin1Char(' ') + m_historyFile.path() + QLatin1Char('\n') + result.reason);
}

void CalculatorWindow::showMessage(const QString &message)
{
    m_errorBox->setText(message);
    m_errorBox->setToolTip(message); // the whole text, also when a narrow window cuts it
    m_errorBox->setCursorPosition(0);
    m_errorBox->show();
    // A fresh message gets its full time on screen.
    m_errorTimer->stop();
    m_errorTimer->start();
}

void CalculatorWindow::calculate()
{
    m_session->calculate(m_inputBox->toPlainText());
}

void CalculatorWindow::insertFunction(const QString &name)
{
    m_inputBox->setFocus();
    QTextCursor cursor = m_inputBox->textCursor();
    cursor.insertText(name + QStringLiteral("()"));
    cursor.movePosition(QTextCursor::PreviousCharacter);
    m_inputBox->setTextCursor(cursor);
}

void CalculatorWindow::insertConstant(const QString &name)
{
    m_inputBox->setFocus();
    m_inputBox->textCursor().insertText(name);
}

void CalculatorWindow::clearHistory()
{
    const bool clear = Messages().question(
        WindowTitle, LangText(QStringLiteral("ClearHistoryQuestion"),
                              QStringLiteral("Clear the history? The constants and functions stay defined.")));
    if (clear) {
        m_historyBox->clear();
        m_session->clearHistory();
        m_savedLines = 0;
        reportFailedWrite(m_historyFile.save(QStringList()));
    }
    m_inputBox->setFocus();
}

void CalculatorWindow::showAbout()
{
    AboutBox box(this);
    connect(&box, &AboutBox::siteRequested, this, &CalculatorWindow::openSite);
    box.exec();
}

void CalculatorWindow::showHelpContents()
{
    ShowHelpInWindow(this, QStringLiteral("trevcalc.html"));
}

void CalculatorWindow::openSite()
{
    OpenDocument(WebAddresses::calculatorSite());
}

void CalculatorWindow::startDesktopCalculator()
{
    const QString program = SystemCalculator::find();
    if (program.isEmpty()) {
        Messages().information(WindowTitle,
                               LangText(QStringLiteral("NoSystemCalculator"),
                                        QStringLiteral("No desktop calculator was found. Install one, for example "
                                                       "gnome-calculator, kcalc or galculator.")));
        return;
    }
    if (!SystemCalculator::start(program)) {
        Messages().warning(WindowTitle, LangText(QStringLiteral("SystemCalculatorFailed"),
                                                 QStringLiteral("The desktop calculator could not be started:"))
                                            + QLatin1Char(' ') + program);
    }
}

void CalculatorWindow::hideError()
{
    m_errorBox->hide();
}

void CalculatorWindow::recallLastLine()
{
    m_inputBox->setTextAndCaret(m_session->lastLine());
}

void CalculatorWindow::recallOlderLine()
{
    QString line;
    if (m_session->recallOlder(m_inputBox->toPlainText(), line))
        m_inputBox->setTextAndCaret(line);
}

void CalculatorWindow::recallNewerLine()
{
    QString line;
    if (m_session->recallNewer(line))
        m_inputBox->setTextAndCaret(line);
}

void CalculatorWindow::scrollHistoryToEnd()
{
    QScrollBar *bar = m_historyBox->verticalScrollBar();
    bar->setValue(bar->maximum());
}
