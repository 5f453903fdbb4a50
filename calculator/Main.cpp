#include "Main.h"

#include "CalcSession.h"
#include "Despre.h"
#include "EngineBinding.h"
#include "Help.h"
#include "InputLine.h"
#include "LangText.h"
#include "MessageSink.h"
#include "ProductSite.h"
#include "SystemCalculator.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
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

QString Dots(const QString &caption)
{
    return caption + QStringLiteral("...");
}

// Results read best when digits line up.
QFont NumberFont(int extraPoints)
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

Main::Main(const CalcSettings &settings, QWidget *parent)
    : QMainWindow(parent), m_session(new CalcSession(this))
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(WindowTitle);
    trev::engine().InitTrevolin();

    createControls();
    createMenus();
    applySkin(settings.colors);
    connectSession();

    // Comfortable for a day's work; small enough to sit beside other windows. Below the minimum
    // the controls would no longer fit, so the window does not go there.
    setMinimumSize(360, 300);
    resize(600, 460);
    TxtOnLine->setFocus();
}

Main::~Main()
{
    trev::engine().ClearTrevolin();
}

void Main::createControls()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("MainArea"));
    setCentralWidget(central);

    TxtCalc = new QPlainTextEdit(central);
    TxtCalc->setObjectName(QStringLiteral("TxtCalc"));
    TxtCalc->setReadOnly(true);
    TxtCalc->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    TxtCalc->setFont(NumberFont(2));
    TxtCalc->setFocusPolicy(Qt::ClickFocus);
    TxtCalc->setPlaceholderText(QStringLiteral("2+3\ng = 9.81\nf: x^2+1\nf(3)*g"));

    Txt_Err = new QLineEdit(central);
    Txt_Err->setObjectName(QStringLiteral("Txt_Err"));
    Txt_Err->setReadOnly(true);
    Txt_Err->setFocusPolicy(Qt::NoFocus);
    QPalette errorPalette = Txt_Err->palette();
    errorPalette.setColor(QPalette::Base, QColor(0xFF, 0xEC, 0xEC));
    errorPalette.setColor(QPalette::Text, QColor(0xA0, 0x10, 0x10));
    Txt_Err->setPalette(errorPalette);
    // The space stays reserved, so the input line does not jump when a message comes and goes.
    QSizePolicy errorPolicy = Txt_Err->sizePolicy();
    errorPolicy.setRetainSizeWhenHidden(true);
    Txt_Err->setSizePolicy(errorPolicy);
    Txt_Err->hide();

    TxtOnLine = new InputLine(central);
    TxtOnLine->setObjectName(QStringLiteral("TxtOnLine"));
    TxtOnLine->setFont(NumberFont(2));

    CmbFunctions = new QComboBox(central);
    CmbFunctions->setObjectName(QStringLiteral("CmbFunctions"));
    const QString functionTip = LangText(QStringLiteral("Function"), QStringLiteral("Function"));
    CmbFunctions->setToolTip(functionTip);
    CmbFunctions->setPlaceholderText(functionTip);
    CmbFunctions->addItems(CalcSession::BuiltInFunctions());
    CmbFunctions->setCurrentIndex(-1);
    CmbFunctions->setMaxVisibleItems(20);
    CmbFunctions->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    CmbConst = new QComboBox(central);
    CmbConst->setObjectName(QStringLiteral("CmbConst"));
    const QString constantTip = LangText(QStringLiteral("Constant"), QStringLiteral("Constant"));
    CmbConst->setToolTip(constantTip);
    CmbConst->setPlaceholderText(constantTip);
    CmbConst->addItems(CalcSession::BuiltInConstants());
    CmbConst->setCurrentIndex(-1);
    CmbConst->setMaxVisibleItems(20);
    CmbConst->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    // The lists read as controls to pick from, not as disabled fields.
    for (QComboBox *list : {CmbFunctions, CmbConst}) {
        QPalette listPalette = list->palette();
        listPalette.setColor(QPalette::PlaceholderText, listPalette.color(QPalette::ButtonText));
        list->setPalette(listPalette);
    }

    CmdCalc = new QPushButton(LangText(QStringLiteral("Calculate"), QStringLiteral("&Calculate")), central);
    CmdCalc->setObjectName(QStringLiteral("CmdCalc"));
    CmdCalc->setAutoDefault(false);
    TxtOnLine->setCalculateKey(QKeySequence::mnemonic(CmdCalc->text()));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(ErrorDisplayMs);
    Timer1->start();

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(CmbFunctions, 1);
    bottom->addWidget(CmbConst, 1);
    bottom->addStretch(1);
    bottom->addWidget(CmdCalc);

    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(6);
    layout->addWidget(TxtCalc, 1);
    layout->addWidget(Txt_Err);
    layout->addWidget(TxtOnLine);
    layout->addLayout(bottom);

    connect(CmdCalc, &QPushButton::clicked, this, &Main::Calculate);
    connect(TxtOnLine, &InputLine::calculateRequested, this, &Main::Calculate);
    connect(TxtOnLine, &InputLine::lastLineRequested, this, &Main::recallLastLine);
    connect(TxtOnLine, &InputLine::olderLineRequested, this, &Main::recallOlderLine);
    connect(TxtOnLine, &InputLine::newerLineRequested, this, &Main::recallNewerLine);
    connect(Timer1, &QTimer::timeout, this, &Main::Timer1Tick);
    connect(CmbFunctions, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
        const QString name = CmbFunctions->itemText(index);
        CmbFunctions->setCurrentIndex(-1);
        InsertFunction(name);
    });
    connect(CmbConst, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
        const QString name = CmbConst->itemText(index);
        CmbConst->setCurrentIndex(-1);
        InsertConstant(name);
    });
}

void Main::createMenus()
{
    mnufile = menuBar()->addMenu(LangText(QStringLiteral("File"), QStringLiteral("&File")));
    mnufile->setObjectName(QStringLiteral("mnufile"));
    mnuexit = mnufile->addAction(LangText(QStringLiteral("Exit"), QStringLiteral("E&xit")), this, &QWidget::close);
    mnuexit->setObjectName(QStringLiteral("mnuexit"));
    mnuexit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    mnucalc = menuBar()->addMenu(LangText(QStringLiteral("Calculate"), QStringLiteral("&Calculate")));
    mnucalc->setObjectName(QStringLiteral("mnucalc"));
    mnuinsert = mnucalc->addMenu(LangText(QStringLiteral("Insert"), QStringLiteral("&Insert")));
    mnuinsert->setObjectName(QStringLiteral("mnuinsert"));
    const QStringList functions = CalcSession::BuiltInFunctions();
    for (int i = 0; i < FunctionCount; ++i) {
        const QString name = functions.at(i);
        mnufun[i] = mnuinsert->addAction(name, this, [this, name] { InsertFunction(name); });
        mnufun[i]->setObjectName(QStringLiteral("mnufun%1").arg(i));
    }
    mnueval = mnucalc->addAction(Dots(LangText(QStringLiteral("Evaluate1"), QStringLiteral("&Evaluate"))), this,
                                 &Main::Calculate);
    mnueval->setObjectName(QStringLiteral("mnueval"));
    mnueval->setShortcut(QKeySequence(Qt::Key_F5));
    mnuclear = mnucalc->addAction(Dots(LangText(QStringLiteral("ClearHistory"), QStringLiteral("&Clear history"))),
                                  this, &Main::ClearHistory);
    mnuclear->setObjectName(QStringLiteral("mnuclear"));
    mnuclear->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));

    mnuhelp = menuBar()->addMenu(LangText(QStringLiteral("Help1"), QStringLiteral("&Help")));
    mnuhelp->setObjectName(QStringLiteral("mnuhelp"));
    mnumainhelp = mnuhelp->addAction(LangText(QStringLiteral("MainHelp"), QStringLiteral("&Main help")), this,
                                     &Main::ShowMainHelp);
    mnumainhelp->setObjectName(QStringLiteral("mnumainhelp"));
    mnumainhelp->setShortcut(QKeySequence(Qt::Key_F1));
    mnusite = mnuhelp->addAction(QStringLiteral("&Trevolin OnLine"), this, &Main::OpenSite);
    mnusite->setObjectName(QStringLiteral("mnusite"));
    mnuabout = mnuhelp->addAction(Dots(LangText(QStringLiteral("About1"), QStringLiteral("&About Trevolin"))), this,
                                  &Main::ShowAbout);
    mnuabout->setObjectName(QStringLiteral("mnuabout"));
    mnusep = mnuhelp->addSeparator();
    mnusep->setObjectName(QStringLiteral("mnusep"));
    mnuwincalc = mnuhelp->addAction(QStringLiteral("&Windows Calculator"), this, &Main::StartSystemCalculator);
    mnuwincalc->setObjectName(QStringLiteral("mnuwincalc"));
}

void Main::applySkin(const SkinColors &colors)
{
    QWidget *area = centralWidget();
    QPalette areaPalette = area->palette();
    areaPalette.setColor(QPalette::Window, colors.back);
    area->setPalette(areaPalette);
    area->setAutoFillBackground(true);

    // The caption takes the skin's text colour so it stays readable on the darker skins.
    QPalette buttonPalette = CmdCalc->palette();
    buttonPalette.setColor(QPalette::Button, colors.back);
    buttonPalette.setColor(QPalette::ButtonText, colors.fore);
    CmdCalc->setPalette(buttonPalette);
}

void Main::connectSession()
{
    connect(m_session, &CalcSession::historyAppended, this, [this](const QString &line) {
        TxtCalc->appendPlainText(line);
        scrollHistoryToEnd();
    });
    connect(m_session, &CalcSession::errorShown, this, [this](const QString &message) {
        Txt_Err->setText(message);
        Txt_Err->setToolTip(message); // the whole text, also when a narrow window cuts it
        Txt_Err->setCursorPosition(0);
        Txt_Err->show();
        // A fresh message gets its full time on screen.
        Timer1->stop();
        Timer1->start();
        scrollHistoryToEnd();
    });
    connect(m_session, &CalcSession::errorHidden, Txt_Err, &QWidget::hide);
    connect(m_session, &CalcSession::inputReplaced, this, [this](const QString &text) {
        TxtOnLine->setTextAndCaret(text, 0);
        TxtOnLine->setFocus();
    });
    connect(m_session, &CalcSession::caretPlaced, this, [this](int position) {
        TxtOnLine->setCaret(position);
        TxtOnLine->setFocus();
    });
    connect(m_session, &CalcSession::functionListed, CmbFunctions, [this](const QString &name) {
        CmbFunctions->addItem(name);
        CmbFunctions->setCurrentIndex(-1);
    });
    connect(m_session, &CalcSession::constantListed, CmbConst, [this](const QString &name) {
        CmbConst->addItem(name);
        CmbConst->setCurrentIndex(-1);
    });
}

void Main::Calculate()
{
    m_session->Calculate(TxtOnLine->toPlainText());
}

void Main::InsertFunction(const QString &name)
{
    TxtOnLine->setFocus();
    QTextCursor cursor = TxtOnLine->textCursor();
    cursor.insertText(name + QStringLiteral("()"));
    cursor.movePosition(QTextCursor::PreviousCharacter);
    TxtOnLine->setTextCursor(cursor);
}

void Main::InsertConstant(const QString &name)
{
    TxtOnLine->setFocus();
    TxtOnLine->textCursor().insertText(name);
}

void Main::ClearHistory()
{
    TxtCalc->clear();
    m_session->clearHistory();
    TxtOnLine->setFocus();
}

void Main::ShowAbout()
{
    Despre box(this);
    connect(&box, &Despre::siteRequested, this, &Main::OpenSite);
    box.exec();
}

void Main::ShowMainHelp()
{
    ShowHelpInWindow(this, QStringLiteral("trevcalc.html"));
}

void Main::OpenSite()
{
    OpenDocument(ProductSite());
}

void Main::StartSystemCalculator()
{
    const QString program = SystemCalculator::Find();
    if (program.isEmpty()) {
        Messages().information(WindowTitle,
                               LangText(QStringLiteral("NoSystemCalculator"),
                                        QStringLiteral("No desktop calculator was found. Install one, for example "
                                                       "gnome-calculator, kcalc or galculator.")));
        return;
    }
    if (!SystemCalculator::Start(program)) {
        Messages().warning(WindowTitle, LangText(QStringLiteral("SystemCalculatorFailed"),
                                                 QStringLiteral("The desktop calculator could not be started:"))
                                            + QLatin1Char(' ') + program);
    }
}

void Main::Timer1Tick()
{
    Txt_Err->hide();
}

void Main::recallLastLine()
{
    TxtOnLine->setTextAndCaret(m_session->lastLine());
}

void Main::recallOlderLine()
{
    QString line;
    if (m_session->recallOlder(TxtOnLine->toPlainText(), line))
        TxtOnLine->setTextAndCaret(line);
}

void Main::recallNewerLine()
{
    QString line;
    if (m_session->recallNewer(line))
        TxtOnLine->setTextAndCaret(line);
}

void Main::scrollHistoryToEnd()
{
    QScrollBar *bar = TxtCalc->verticalScrollBar();
    bar->setValue(bar->maximum());
}
