#include "dialogs/OptionsDialog.h"

#include "ui/MessageSink.h"

#include "core/LangText.h"
#include "core/ProgramSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

OptionsDialog::OptionsDialog(QWidget *parent, const QString &languageFolder)
    : QDialog(parent), m_model(languageFolder), m_languageBox(new QComboBox(this)), m_skinBox(new QComboBox(this)),
      m_decimalsBox(new QLineEdit(this)), m_backgroundBox(new QCheckBox(this)), m_languageLabel(new QLabel(this)), m_skinLabel(new QLabel(this)),
      m_decimalsLabel(new QLabel(this)), m_okButton(new QPushButton(this)), m_cancelButton(new QPushButton(this))
{
    setObjectName(QStringLiteral("Options"));
    m_languageBox->setObjectName(QStringLiteral("ComboLang"));
    m_skinBox->setObjectName(QStringLiteral("ComboSkin"));
    m_decimalsBox->setObjectName(QStringLiteral("txt_dec"));
    m_backgroundBox->setObjectName(QStringLiteral("chkBackground"));
    m_languageLabel->setObjectName(QStringLiteral("LblLang"));
    m_skinLabel->setObjectName(QStringLiteral("LblBack"));
    m_decimalsLabel->setObjectName(QStringLiteral("Lbl_prec"));
    m_okButton->setObjectName(QStringLiteral("Cmd_change"));
    m_cancelButton->setObjectName(QStringLiteral("Cmd_Exit"));

    setWindowTitle(LangText("GeneralOptions", "General options"));
    m_decimalsBox->setToolTip(LangText("ChangeDecimals", "Change the number of decimals shown."));
    m_skinLabel->setText(LangText("Skin", "Trevolin skin"));
    m_decimalsLabel->setText(LangText("Decimals", "Visible decimals"));
    m_languageLabel->setText(LangText("Language", "Language"));
    m_backgroundBox->setText(LangText("BackgroundPicture", "Background picture"));
    m_okButton->setText(LangText("Ok", "&Ok"));
    m_cancelButton->setText(LangText("Cancel", "&Cancel"));
    m_okButton->setDefault(true);

    for (const LanguageEntry &language : m_model.languages())
        m_languageBox->addItem(language.name);
    m_languageBox->setCurrentIndex(m_model.selectedLanguage());
    m_skinBox->addItems(SkinNames());
    m_skinBox->setCurrentIndex(m_model.selectedSkin());
    m_decimalsBox->setText(m_model.decimalsText());
    m_backgroundBox->setChecked(m_model.backgroundPicture());
    m_fitBox = new QCheckBox(LangText("FitNewProjects", "Fit new projects to the curve"), this);
    m_fitBox->setObjectName(QStringLiteral("chkFitNew"));
    m_fitBox->setChecked(programSettings().fitNewProjects);
    m_autoRootsBox = new QCheckBox(LangText("FindRootsAutomatically", "Find roots automatically"), this);
    m_autoRootsBox->setObjectName(QStringLiteral("chkAutoRoots"));
    m_autoRootsBox->setChecked(m_model.findRootsAutomatically());

    ApplySkin(this, SkinColorsFor(programSettings().skin));

    // Only a choice by the user previews a skin; filling the list above does not.
    connect(m_skinBox, QOverload<int>::of(&QComboBox::activated), this, &OptionsDialog::chooseSkin);
    connect(m_okButton, &QPushButton::clicked, this, &OptionsDialog::okClicked);
    connect(m_cancelButton, &QPushButton::clicked, this, &OptionsDialog::reject);

    auto *form = new QFormLayout;
    form->addRow(m_languageLabel, m_languageBox);
    form->addRow(m_skinLabel, m_skinBox);
    form->addRow(m_decimalsLabel, m_decimalsBox);
    form->addRow(QString(), m_backgroundBox);
    form->addRow(QString(), m_fitBox);
    form->addRow(QString(), m_autoRootsBox);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setMinimumWidth(380);
}

void OptionsDialog::chooseSkin(int index)
{
    m_skinBox->setCurrentIndex(index);
    ApplySkinToAllWindows(m_model.chooseSkin(index));
}

void OptionsDialog::okClicked()
{
    const OptionsModel::AcceptResult result =
        m_model.accept(m_decimalsBox->text(), m_skinBox->currentIndex(), m_languageBox->currentIndex(),
                       m_backgroundBox->isChecked());
    if (result.decimalsRefused) {
        Messages().information(QStringLiteral("Trevolin"), OptionsModel::DecimalsMessage());
        m_decimalsBox->setFocus();
        m_decimalsBox->selectAll();
        return;
    }
    m_backgroundPictureChanged = result.backgroundPictureChanged;
    OptionsModel::setFitNewProjects(m_fitBox->isChecked());
    m_model.setFindRootsAutomatically(m_autoRootsBox->isChecked());
    if (result.languageChangesAtNextRun)
        Messages().information(QStringLiteral("Trevolin"), OptionsModel::LanguageChangedMessage());
    accept();
}

void OptionsDialog::reject()
{
    SkinColors restored;
    if (m_model.cancel(restored))
        ApplySkinToAllWindows(restored);
    QDialog::reject();
}
