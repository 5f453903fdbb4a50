#include "dialogs/CalculationDialog.h"

#include "core/LangText.h"
#include "core/ProgramSettings.h"
#include "dialogs/ExponentHintWatcher.h"
#include "graph/GraphPane.h"
#include "ui/Skins.h"

#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

CalculationDialog::CalculationDialog(GraphPane &pane, std::function<void()> graphChanged, QWidget *parent)
    : QDialog(parent), m_pane(pane), m_graphChanged(std::move(graphChanged)), m_errorLabel(new QLabel(this)),
      m_helpLink(new QLabel(this)), m_errorTimer(new QTimer(this))
{
    m_errorLabel->setObjectName(QStringLiteral("labEroare"));
    m_helpLink->setObjectName(QStringLiteral("Lbl_help1"));
    m_errorLabel->setAccessibleName(LangText("Error", "Error"));
    m_errorLabel->setWordWrap(true);
    m_helpLink->setWordWrap(true);
    for (QLabel *label : {m_errorLabel, m_helpLink}) {
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
    }
    m_errorLabel->hide();
    // Text typed as exponent notation gets the same hint as in the calculator.
    new ExponentHintWatcher(this, m_errorLabel);
    m_errorTimer->setInterval(ErrorShownMilliseconds);
    connect(m_errorTimer, &QTimer::timeout, this, &CalculationDialog::timerFired);
}

void CalculationDialog::arrange(QFormLayout *fields, QPushButton *help, QPushButton *cancel)
{
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    // The message and the help link share one place.
    layout->addWidget(m_errorLabel);
    layout->addWidget(m_helpLink);
    layout->addLayout(buttons);
    const int twoLines = 2 * fontMetrics().lineSpacing();
    m_errorLabel->setMinimumHeight(twoLines);
    m_helpLink->setMinimumHeight(twoLines);
}

void CalculationDialog::finishLook()
{
    ApplySkin(this, SkinColorsFor(programSettings().skin));
    // After the skin, which colours every label with its text colour.
    QPalette errorPalette = m_errorLabel->palette();
    errorPalette.setColor(QPalette::WindowText, Qt::red);
    m_errorLabel->setPalette(errorPalette);
    QPalette linkPalette = m_helpLink->palette();
    linkPalette.setColor(QPalette::WindowText, QColor(0, 0, 0xC0));
    m_helpLink->setPalette(linkPalette);
    QFont underlined = m_helpLink->font();
    underlined.setUnderline(true);
    m_helpLink->setFont(underlined);
}

void CalculationDialog::graphChanged() const
{
    if (m_graphChanged)
        m_graphChanged();
}

void CalculationDialog::done(int result)
{
    m_errorTimer->stop();
    m_pane.refresh(false);
    graphChanged();
    QDialog::done(result);
}

void CalculationDialog::showError(const QString &message)
{
    clearResults();
    m_helpLink->hide();
    m_errorLabel->setText(message);
    m_errorLabel->show();
    m_errorTimer->start();
}

void CalculationDialog::hideError()
{
    m_helpLink->show();
    m_errorLabel->hide();
    m_errorTimer->stop();
}

bool CalculationDialog::errorShown() const { return !m_errorLabel->isHidden(); }

void CalculationDialog::timerFired()
{
    hideError();
    errorTimedOut();
}

void CalculationDialog::focusInput(QLineEdit *input, int caret)
{
    input->setFocus(Qt::OtherFocusReason);
    if (caret >= 0)
        input->setCursorPosition(caret);
    else
        input->selectAll();
}

void CalculationDialog::selectOnFocus(QLineEdit *input) { input->installEventFilter(this); }

void CalculationDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        goToError();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool CalculationDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == m_errorLabel) {
            goToError();
            return true;
        }
        if (watched == m_helpLink) {
            helpLinkClicked();
            return true;
        }
    }
    if (event->type() == QEvent::FocusIn) {
        if (auto *input = qobject_cast<QLineEdit *>(watched)) {
            // A click places the caret after the focus arrives, so the selection waits for it.
            if (static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason)
                QTimer::singleShot(0, input, &QLineEdit::selectAll);
            else
                input->selectAll();
        }
    }
    return QDialog::eventFilter(watched, event);
}
