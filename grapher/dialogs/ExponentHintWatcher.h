#pragma once
// Shows the exponent notation hint in a dialog's error label while one of its input boxes holds
// text like "2.5e-3", and takes it away when none does. It never blocks: the dialog's own
// messages replace the hint, and the next edit brings it back. The boxes are gathered when the
// dialog is first shown, so a dialog may make them after attaching the watcher.
#include <QObject>
#include <QPointer>

class QLabel;
class QWidget;

class ExponentHintWatcher : public QObject {
    Q_OBJECT
public:
    // The watcher belongs to `dialog`.
    ExponentHintWatcher(QWidget *dialog, QLabel *errorLabel);

    // A box that holds no expression (a title).
    void ignore(const QObject *box) { m_ignored = box; }

    // Shows or hides the hint as the boxes hold now.
    void update();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_dialog;
    QPointer<QLabel> m_label;
    const QObject *m_ignored = nullptr;   // only compared, never used
    bool m_connected = false;
};
