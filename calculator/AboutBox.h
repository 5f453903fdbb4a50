#pragma once
// The calculator's about box.
#include <QDialog>

class QLabel;
class QPushButton;

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget *parent = nullptr);

    // "Trevolin Calculator 2.36 Build 969", the program file's date and time, and a note.
    static QString aboutText(const QString &programFile);

    QLabel *aboutLabel() const { return m_aboutLabel; }
    QLabel *siteLabel() const { return m_siteLabel; }
    QPushButton *okButton() const { return m_okButton; }

signals:
    // The web address was clicked; the box is already closed.
    void siteRequested();

private:
    QLabel *m_aboutLabel = nullptr;
    QLabel *m_siteLabel = nullptr;
    QPushButton *m_okButton = nullptr;
};
