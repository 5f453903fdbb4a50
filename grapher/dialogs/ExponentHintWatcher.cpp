#include "dialogs/ExponentHintWatcher.h"

#include "core/ExponentNotation.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>

ExponentHintWatcher::ExponentHintWatcher(QWidget *dialog, QLabel *errorLabel)
    : QObject(dialog), m_dialog(dialog), m_label(errorLabel)
{
    dialog->installEventFilter(this);
    errorLabel->installEventFilter(this);
}

bool ExponentHintWatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_dialog && event->type() == QEvent::Show && !m_connected) {
        m_connected = true;
        // Queued, so that the hint comes after whatever the dialog itself does with the edit
        // (a preview that clears its message, a check that shows one).
        for (QLineEdit *box : m_dialog->findChildren<QLineEdit *>())
            connect(box, &QLineEdit::textChanged, this, &ExponentHintWatcher::update, Qt::QueuedConnection);
    }
    // The dialog hid its message (an edit that passed its checks, a timer): the hint may
    // take the label again.
    if (watched == m_label && event->type() == QEvent::Hide)
        QMetaObject::invokeMethod(this, &ExponentHintWatcher::update, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}

void ExponentHintWatcher::update()
{
    if (!m_label)
        return;
    bool found = false;
    for (const QLineEdit *box : m_dialog->findChildren<QLineEdit *>()) {
        // A box that shows a result is no input.
        if (!box->isReadOnly() && box != m_ignored && ExponentNotation::looksLikeExponentNotation(box->text()))
            found = true;
    }
    const QString hint = ExponentNotation::exponentHint();
    if (found && (m_label->isHidden() || m_label->text() == hint)) {
        m_label->setText(hint);
        m_label->show();
    } else if (!found && m_label->text() == hint) {
        m_label->hide();
    }
}
