#include "Options.h"

#include "LangText.h"
#include "ProgramSettings.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Options::Options(QWidget *parent, const QString &languageFolder)
    : QDialog(parent), m_model(languageFolder), m_comboLang(new QComboBox(this)), m_comboSkin(new QComboBox(this)),
      m_txtDec(new QLineEdit(this)), m_lblLang(new QLabel(this)), m_lblBack(new QLabel(this)),
      m_lblPrec(new QLabel(this)), m_cmdChange(new QPushButton(this)), m_cmdExit(new QPushButton(this))
{
    setObjectName(QStringLiteral("Options"));
    m_comboLang->setObjectName(QStringLiteral("ComboLang"));
    m_comboSkin->setObjectName(QStringLiteral("ComboSkin"));
    m_txtDec->setObjectName(QStringLiteral("txt_dec"));
    m_lblLang->setObjectName(QStringLiteral("LblLang"));
    m_lblBack->setObjectName(QStringLiteral("LblBack"));
    m_lblPrec->setObjectName(QStringLiteral("Lbl_prec"));
    m_cmdChange->setObjectName(QStringLiteral("Cmd_change"));
    m_cmdExit->setObjectName(QStringLiteral("Cmd_Exit"));

    setWindowTitle(LangText("GeneralOptions", "General options"));
    m_txtDec->setToolTip(LangText("ChangeDecimals", "Change the number of decimals shown."));
    m_lblBack->setText(LangText("Skin", "Trevolin skin"));
    m_lblPrec->setText(LangText("Decimals", "Visible decimals"));
    m_lblLang->setText(LangText("Language", "Language"));
    m_cmdChange->setText(LangText("Ok", "&Ok"));
    m_cmdExit->setText(LangText("Cancel", "&Cancel"));
    m_cmdChange->setDefault(true);

    for (const LanguageEntry &language : m_model.languages())
        m_comboLang->addItem(language.name);
    m_comboLang->setCurrentIndex(m_model.selectedLanguage());
    m_comboSkin->addItems(SkinNames());
    m_comboSkin->setCurrentIndex(m_model.selectedSkin());
    m_txtDec->setText(m_model.decimalsText());

    ApplySkin(this, programSettings().skinColors);

    // Only a choice by the user previews a skin; filling the list above does not.
    connect(m_comboSkin, QOverload<int>::of(&QComboBox::activated), this, &Options::ComboSkin_Click);
    connect(m_cmdChange, &QPushButton::clicked, this, &Options::Cmd_change_Click);
    connect(m_cmdExit, &QPushButton::clicked, this, &Options::Cmd_Exit_Click);

    auto *form = new QFormLayout;
    form->addRow(m_lblLang, m_comboLang);
    form->addRow(m_lblBack, m_comboSkin);
    form->addRow(m_lblPrec, m_txtDec);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdChange);
    buttons->addWidget(m_cmdExit);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setMinimumWidth(380);
}

void Options::ComboSkin_Click(int index)
{
    m_comboSkin->setCurrentIndex(index);
    m_model.chooseSkin(index);
}

void Options::Cmd_change_Click()
{
    if (!m_model.accept(m_txtDec->text(), m_comboSkin->currentIndex(), m_comboLang->currentIndex())) {
        m_txtDec->setFocus();
        m_txtDec->selectAll();
        return;
    }
    accept();
}

void Options::Cmd_Exit_Click() { reject(); }

void Options::reject()
{
    m_model.cancel();
    QDialog::reject();
}
