#pragma once
// The general options dialog: language, skin, visible decimals and the graphs' background
// picture. A thin window over
// OptionsModel, which holds what the dialog checks and stores.
#include "dialogs/OptionsModel.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit OptionsDialog(QWidget *parent = nullptr, const QString &languageFolder = OptionsModel::LanguageFolder());

    QComboBox *languageBox() const { return m_languageBox; }
    QComboBox *skinBox() const { return m_skinBox; }
    QLineEdit *decimalsBox() const { return m_decimalsBox; }
    QCheckBox *backgroundBox() const { return m_backgroundBox; }
    QCheckBox *fitBox() const { return m_fitBox; }
    QCheckBox *autoRootsBox() const { return m_autoRootsBox; }
    QPushButton *okButton() const { return m_okButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }

    // The user picked a skin: every window previews it.
    void chooseSkin(int index);
    // OK: stores the options, or tells why the decimals are refused and keeps the dialog open.
    void okClicked();
    // True after an OK that switched the background picture on or off.
    bool backgroundPictureChanged() const { return m_backgroundPictureChanged; }

    // Closing the dialog any way but OK undoes the skin preview.
    void reject() override;

private:
    OptionsModel m_model;
    QComboBox *m_languageBox;
    QComboBox *m_skinBox;
    QLineEdit *m_decimalsBox;
    QCheckBox *m_backgroundBox;
    QCheckBox *m_fitBox = nullptr;
    QCheckBox *m_autoRootsBox = nullptr;
    QLabel *m_languageLabel;
    QLabel *m_skinLabel;
    QLabel *m_decimalsLabel;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
    bool m_backgroundPictureChanged = false;
};
