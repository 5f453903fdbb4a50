#pragma once
// The general options dialog: language, skin and visible decimals. A thin window over
// OptionsModel, which holds what the dialog checks and stores.
#include "OptionsModel.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class Options : public QDialog {
    Q_OBJECT
public:
    explicit Options(QWidget *parent = nullptr, const QString &languageFolder = OptionsModel::LanguageFolder());

    QComboBox *ComboLang() const { return m_comboLang; }
    QComboBox *ComboSkin() const { return m_comboSkin; }
    QLineEdit *txt_dec() const { return m_txtDec; }
    QPushButton *Cmd_change() const { return m_cmdChange; }
    QPushButton *Cmd_Exit() const { return m_cmdExit; }

    void ComboSkin_Click(int index);
    void Cmd_change_Click();
    void Cmd_Exit_Click();

    // Closing the dialog any way but OK undoes the skin preview.
    void reject() override;

private:
    OptionsModel m_model;
    QComboBox *m_comboLang;
    QComboBox *m_comboSkin;
    QLineEdit *m_txtDec;
    QLabel *m_lblLang;
    QLabel *m_lblBack;
    QLabel *m_lblPrec;
    QPushButton *m_cmdChange;
    QPushButton *m_cmdExit;
};
