#pragma once
// The calculator's about box.
#include <QDialog>

class QLabel;
class QPushButton;

class Despre : public QDialog {
    Q_OBJECT
public:
    explicit Despre(QWidget *parent = nullptr);

    // "Trevolin Calculator 2.36 Build 969", the program file's date and time, and a note.
    static QString AboutText(const QString &programFile);

    QLabel *Lbl_about = nullptr;
    QLabel *Lbl_url = nullptr;
    QPushButton *cmdOK = nullptr;

signals:
    // The web address was clicked; the box is already closed.
    void siteRequested();
};
