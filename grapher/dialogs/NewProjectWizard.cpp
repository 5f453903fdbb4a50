#include "dialogs/NewProjectWizard.h"

#include "core/LangText.h"
#include "core/ProgramSettings.h"
#include "dialogs/ExponentHintWatcher.h"
#include "dialogs/WizardPreview.h"
#include "ui/Help.h"
#include "ui/Skins.h"

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdlib>

namespace {

const QString ExpressionHelpLink = QStringLiteral("expressions");
const QString OpenProjectLink = QStringLiteral("open");

QString linkText(const QString &target, const QString &text)
{
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(target, text.toHtmlEscaped());
}

QComboBox *historyBox(QWidget *parent, const QString &name)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    // The wizard completes the function itself; the history may hold the same text twice.
    box->setCompleter(nullptr);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setDuplicatesEnabled(true);
    box->setMaxVisibleItems(EquationHistory::MaxEntries);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return box;
}

// A uniform random fraction in [0, 1), from the sequence the main window seeds at start-up.
double randomFraction() { return std::rand() / (static_cast<double>(RAND_MAX) + 1.0); }

} // namespace

NewProjectWizard::NewProjectWizard(std::function<void(std::unique_ptr<FunctionProject>)> openProject,
                                   QWidget *parent)
    : QWidget(parent), m_openProject(std::move(openProject)), m_headingLabel(new QLabel(this)),
      m_equationLabel(new QLabel(this)), m_functionBox(historyBox(this, QStringLiteral("Cmb_Fun"))),
      m_equalsZeroLabel(new QLabel(QStringLiteral(" = 0"), this)), m_parametersLabel(new QLabel(this)),
      m_parametersBox(historyBox(this, QStringLiteral("Cmb_Par"))), m_intervalLabel(new QLabel(this)),
      m_startLabel(new QLabel(this)), m_startBox(historyBox(this, QStringLiteral("Cmb_a"))),
      m_endLabel(new QLabel(this)), m_endBox(historyBox(this, QStringLiteral("Cmb_b"))),
      m_preview(new WizardPreview(this)), m_randomButton(new QPushButton(this)), m_okButton(new QPushButton(this)),
      m_cancelButton(new QPushButton(this)), m_expressionHelpLink(new QLabel(this)),
      m_openProjectLink(new QLabel(this)), m_errorLabel(new QLabel(this)), m_errorTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("Data"));
    m_preview->setObjectName(QStringLiteral("Picture1"));
    m_randomButton->setObjectName(QStringLiteral("CmdRandom"));
    m_okButton->setObjectName(QStringLiteral("cmdFinish"));
    m_cancelButton->setObjectName(QStringLiteral("cmdCancel"));
    m_expressionHelpLink->setObjectName(QStringLiteral("Lbl_help1"));
    m_openProjectLink->setObjectName(QStringLiteral("Lbl_help2"));
    m_errorLabel->setObjectName(QStringLiteral("Lbleroare"));

    setTexts();
    buildLayout();
    ApplySkin(this, SkinColorsFor(programSettings().skin));
    // After the skin, which gives every label its text colour.
    QPalette errorPalette = m_errorLabel->palette();
    errorPalette.setColor(QPalette::WindowText, Qt::red);
    m_errorLabel->setPalette(errorPalette);
    m_errorLabel->setWordWrap(true);
    m_errorLabel->setCursor(Qt::PointingHandCursor);
    m_errorLabel->installEventFilter(this);
    m_errorLabel->hide();
    // Text typed as exponent notation gets the same hint as in the calculator.
    new ExponentHintWatcher(this, m_errorLabel);
    m_errorTimer->setInterval(ErrorShownMilliseconds);
    connect(m_errorTimer, &QTimer::timeout, this, &NewProjectWizard::hideError);

    fillHistoryLists();
    if (!m_model.history().isEmpty()) {
        selectHistoryEntry(0);
    } else {
        // A first start offers an interval, so that a function is all it takes to draw.
        m_startBox->setEditText(m_model.history().defaultStart());
        m_endBox->setEditText(m_model.history().defaultEnd());
    }

    connect(m_functionBox->lineEdit(), &QLineEdit::textEdited, this, &NewProjectWizard::completeFunction);
    for (QComboBox *box : {m_functionBox, m_parametersBox, m_startBox, m_endBox}) {
        connect(box, qOverload<int>(&QComboBox::activated), this, &NewProjectWizard::selectHistoryEntry);
        // The keyboard's keys reach the box, which holds the focus for its line edit and passes
        // them on to it directly, past any filter of the line edit: Enter, Esc and the key
        // releases of the function box are taken here.
        box->installEventFilter(this);
    }
    for (QComboBox *box : {m_parametersBox, m_startBox, m_endBox}) {
        connect(box, &QComboBox::editTextChanged, this, [this] {
            if (!m_filling)
                refreshPreview();
        });
    }
    connect(m_okButton, &QPushButton::clicked, this, &NewProjectWizard::finish);
    connect(m_cancelButton, &QPushButton::clicked, this, &NewProjectWizard::closeWizard);
    connect(m_randomButton, &QPushButton::clicked, this, &NewProjectWizard::openRandomExample);
    connect(m_expressionHelpLink, &QLabel::linkActivated, this, &NewProjectWizard::linkActivated);
    connect(m_openProjectLink, &QLabel::linkActivated, this, &NewProjectWizard::linkActivated);
}

NewProjectWizard::~NewProjectWizard()
{
    EquationHistory::saveDefaultInterval(m_startBox->currentText(), m_endBox->currentText());
}

void NewProjectWizard::setTexts()
{
    setWindowTitle(LangText("Wizard", "Trevolin Wizard"));
    m_headingLabel->setText(LangText("SolveEq", "Solve an equation numerically and plot the graph of the function."));
    m_equationLabel->setText(LangText("EnterEquation", "Enter the equation you want to solve."));
    m_parametersLabel->setText(LangText("Parameters", "Parameters") + QStringLiteral(" (a=7; b=2sin(1)-6)"));
    m_intervalLabel->setText(LangText("EnterInterval", "Enter the interval for the equation."));
    m_startLabel->setText(LangText("Start", "Start") + QStringLiteral(" = "));
    m_endLabel->setText(LangText("End", "End") + QStringLiteral(" = "));
    m_startBox->setToolTip(LangText("StartInterval", "Start of the interval."));
    m_endBox->setToolTip(LangText("EndInterval", "End of the interval."));
    m_randomButton->setText(LangText("Random", "&Random"));
    m_randomButton->setToolTip(LangText("SolveRandom", "Solve a random equation"));
    m_okButton->setText(LangText("OK", "&OK"));
    m_cancelButton->setText(LangText("Cancel", "&Cancel"));
    m_expressionHelpLink->setText(linkText(ExpressionHelpLink, LangText("Valid", "Information about valid expressions.")));
    m_openProjectLink->setText(linkText(OpenProjectLink, LangText("Open", "Open a saved project in a new window.")));

    m_functionBox->setAccessibleName(m_equationLabel->text());
    m_parametersBox->setAccessibleName(LangText("Parameters", "Parameters"));
    m_startBox->setAccessibleName(m_startBox->toolTip());
    m_endBox->setAccessibleName(m_endBox->toolTip());
}

void NewProjectWizard::buildLayout()
{
    QFont headingFont = m_headingLabel->font();
    headingFont.setBold(true);
    m_headingLabel->setFont(headingFont);
    m_headingLabel->setWordWrap(true);
    m_equationLabel->setBuddy(m_functionBox);
    m_parametersLabel->setBuddy(m_parametersBox);
    m_startLabel->setBuddy(m_startBox);
    m_endLabel->setBuddy(m_endBox);
    m_functionBox->setMinimumContentsLength(24);
    m_startBox->setMinimumContentsLength(8);
    m_endBox->setMinimumContentsLength(8);

    auto *functionRow = new QHBoxLayout;
    functionRow->addWidget(m_functionBox, 1);
    functionRow->addWidget(m_equalsZeroLabel);

    auto *intervalRow = new QHBoxLayout;
    intervalRow->addWidget(m_startLabel);
    intervalRow->addWidget(m_startBox, 1);
    intervalRow->addSpacing(12);
    intervalRow->addWidget(m_endLabel);
    intervalRow->addWidget(m_endBox, 1);

    auto *inputs = new QVBoxLayout;
    inputs->addWidget(m_equationLabel);
    inputs->addLayout(functionRow);
    inputs->addSpacing(6);
    inputs->addWidget(m_parametersLabel);
    inputs->addWidget(m_parametersBox);
    inputs->addSpacing(6);
    inputs->addWidget(m_intervalLabel);
    inputs->addLayout(intervalRow);
    inputs->addStretch();

    auto *middle = new QHBoxLayout;
    middle->addLayout(inputs, 3);
    middle->addSpacing(8);
    middle->addWidget(m_preview, 2);

    // The error message takes the place of the two links while it is shown.
    auto *links = new QVBoxLayout;
    links->addWidget(m_expressionHelpLink);
    links->addWidget(m_openProjectLink);
    auto *messageArea = new QGridLayout;
    messageArea->addLayout(links, 0, 0);
    messageArea->addWidget(m_errorLabel, 0, 0);
    m_errorLabel->setMinimumHeight(2 * fontMetrics().lineSpacing());
    m_errorLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_randomButton);
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_headingLabel);
    layout->addSpacing(4);
    layout->addLayout(middle, 1);
    layout->addLayout(messageArea);
    layout->addLayout(buttons);

    for (QLabel *link : {m_expressionHelpLink, m_openProjectLink})
        link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    QWidget *order[] = {m_functionBox,  m_parametersBox, m_startBox,          m_endBox,          m_okButton,
                        m_cancelButton, m_randomButton,  m_expressionHelpLink, m_openProjectLink};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    setMinimumSize(520, 300);
}

QComboBox *NewProjectWizard::box(WizardField field) const
{
    switch (field) {
    case WizardField::Function:
        return m_functionBox;
    case WizardField::Start:
        return m_startBox;
    case WizardField::End:
        return m_endBox;
    case WizardField::None:
        break;
    }
    return nullptr;
}

EquationEntry NewProjectWizard::texts() const
{
    return {m_functionBox->currentText(), m_parametersBox->currentText(), m_startBox->currentText(),
            m_endBox->currentText()};
}

void NewProjectWizard::fillHistoryLists()
{
    m_filling = true;
    for (QComboBox *box : {m_functionBox, m_parametersBox, m_startBox, m_endBox})
        box->clear();
    for (const EquationEntry &entry : m_model.history().entries()) {
        m_functionBox->addItem(entry.function);
        m_parametersBox->addItem(entry.parameters);
        m_startBox->addItem(entry.start);
        m_endBox->addItem(entry.end);
    }
    // An editable box shows its first item once filled; the boxes stay empty until an entry
    // is chosen.
    for (QComboBox *box : {m_functionBox, m_parametersBox, m_startBox, m_endBox}) {
        box->setCurrentIndex(-1);
        box->setEditText(QString());
    }
    m_filling = false;
}

void NewProjectWizard::selectHistoryEntry(int index)
{
    if (index < 0 || index >= m_model.history().size())
        return;
    m_filling = true;
    for (QComboBox *box : {m_functionBox, m_parametersBox, m_startBox, m_endBox}) {
        box->setCurrentIndex(index);
        // Also when the index was current already but the user has edited the text since.
        box->setEditText(box->itemText(index));
    }
    m_filling = false;
    refreshPreview();
}

void NewProjectWizard::completeFunction(const QString &text)
{
    // An emptied box stays empty: every entry would begin with nothing.
    if (m_suppressCompletion || text.isEmpty())
        return;
    const int found = m_model.history().findPrefix(text);
    if (found < 0)
        return;
    QLineEdit *edit = m_functionBox->lineEdit();
    const int caret = edit->cursorPosition();
    selectHistoryEntry(found);
    // The completed tail is selected with the caret where the user left it, so that typing on
    // replaces it.
    const int length = static_cast<int>(edit->text().size());
    edit->setSelection(length, std::min(caret, length) - length);
}

void NewProjectWizard::refreshPreview()
{
    hideError();
    const WizardCheck outcome = NewProjectWizardModel::check(texts());
    if (!outcome.passed()) {
        showError(outcome.message);
        return;
    }
    m_preview->showCurve(NewProjectWizardModel::previewCurve(outcome.f, outcome.start, outcome.end));
}

bool NewProjectWizard::finish()
{
    hideError();
    WizardCheck outcome;
    std::unique_ptr<FunctionProject> project = m_model.accept(texts(), outcome);
    if (!project) {
        showError(outcome.message);
        focusBox(outcome.faultyField, outcome.caret);
        return false;
    }
    fillHistoryLists();
    m_filling = true;
    for (QComboBox *box : {m_functionBox, m_parametersBox, m_startBox, m_endBox})
        box->setCurrentIndex(0);
    m_filling = false;
    // The window may be deleted once closed; the callback must not be reached through it.
    const auto openProject = m_openProject;
    closeWizard();
    if (openProject)
        openProject(std::move(project));
    return true;
}

void NewProjectWizard::openRandomExample()
{
    std::unique_ptr<FunctionProject> project = NewProjectWizardModel::randomProject(randomFraction());
    // An example the engine refuses is passed over in silence.
    if (!project)
        return;
    const auto openProject = m_openProject;
    closeWizard();
    if (openProject)
        openProject(std::move(project));
}

void NewProjectWizard::linkActivated(const QString &link)
{
    if (link == ExpressionHelpLink) {
        ShowHelpInWindow(this, QStringLiteral("expresie.html"));
    } else if (link == OpenProjectLink) {
        closeWizard();
        emit openSavedProjectRequested();
    }
}

void NewProjectWizard::closeWizard()
{
    // Inside the main window the frame closes with the wizard (and closes it), so that no
    // empty child window is left behind.
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->close();
    else
        close();
}

void NewProjectWizard::showError(const QString &message)
{
    m_preview->clear();
    m_expressionHelpLink->hide();
    m_openProjectLink->hide();
    m_errorLabel->setText(message);
    m_errorLabel->show();
    m_errorTimer->start();
}

void NewProjectWizard::hideError()
{
    m_errorLabel->hide();
    m_expressionHelpLink->show();
    m_openProjectLink->show();
    m_errorTimer->stop();
}

void NewProjectWizard::focusBox(WizardField field, int caret)
{
    QComboBox *faulty = box(field);
    if (!faulty)
        return;
    faulty->setFocus(Qt::OtherFocusReason);
    faulty->lineEdit()->setCursorPosition(caret);
}

bool NewProjectWizard::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_errorLabel && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        finish();
        return true;
    }
    const bool inBox = qobject_cast<QComboBox *>(watched) != nullptr;
    if (inBox && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            finish();
            return true;
        }
        if (key == Qt::Key_Escape) {
            closeWizard();
            return true;
        }
    }
    if (watched == m_functionBox && event->type() == QEvent::KeyRelease) {
        // The text change of a key comes before its release, so this decides the next change.
        const int key = static_cast<QKeyEvent *>(event)->key();
        m_suppressCompletion = key == Qt::Key_Backspace || key == Qt::Key_Delete;
        refreshPreview();
    }
    return QWidget::eventFilter(watched, event);
}

void NewProjectWizard::keyPressEvent(QKeyEvent *event)
{
    // Esc on a button or a link.
    if (event->key() == Qt::Key_Escape) {
        closeWizard();
        return;
    }
    QWidget::keyPressEvent(event);
}

void NewProjectWizard::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    focusEquation();
}

void NewProjectWizard::focusEquation() { m_functionBox->setFocus(Qt::OtherFocusReason); }

bool NewProjectWizard::event(QEvent *event)
{
    // Every child window hears of the main window's activation; only the current one takes the
    // focus, or a window opened meanwhile (by a second start) would fall behind the wizard.
    if (event->type() == QEvent::WindowActivate) {
        const auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget());
        if (!frame || !frame->mdiArea() || frame->mdiArea()->currentSubWindow() == frame)
            m_functionBox->setFocus(Qt::ActiveWindowFocusReason);
    }
    return QWidget::event(event);
}
