#include "AboutBox.h"

#include "core/LangText.h"
#include "core/Version.h"
#include "core/WebAddresses.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

AboutBox::AboutBox(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(LangText(QStringLiteral("About"), QStringLiteral("About Trevolin")) + QStringLiteral(" Calculator"));

    m_aboutLabel = new QLabel(aboutText(QCoreApplication::applicationFilePath()), this);
    m_aboutLabel->setObjectName(QStringLiteral("Lbl_about"));
    m_aboutLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_siteLabel = new QLabel(this);
    m_siteLabel->setObjectName(QStringLiteral("Lbl_url"));
    m_siteLabel->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(WebAddresses::calculatorSite().toHtmlEscaped()));
    m_siteLabel->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    m_siteLabel->setCursor(Qt::PointingHandCursor);
    connect(m_siteLabel, &QLabel::linkActivated, this, [this] {
        accept();
        emit siteRequested();
    });

    m_okButton = new QPushButton(LangText(QStringLiteral("Ok"), QStringLiteral("&Ok")), this);
    m_okButton->setObjectName(QStringLiteral("cmdOK"));
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(12);
    layout->addWidget(m_aboutLabel);
    layout->addWidget(m_siteLabel);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString AboutBox::aboutText(const QString &programFile)
{
    const QString version = QStringLiteral("Trevolin Calculator %1.%2 Build %3")
                                .arg(VersionMajor)
                                .arg(VersionMinor)
                                .arg(VersionBuild);
    const QDateTime built = QFileInfo(programFile).lastModified();
    const QString date = built.isValid() ? QLocale().toString(built, QLocale::ShortFormat) : QString();
    const QString note = LangText(QStringLiteral("CalcAboutNote"),
                                  QStringLiteral("Type an expression, a constant (g = 9.81) or a function (f: x^2+1)."));
    return version + QLatin1Char('\n') + date + QLatin1Char('\n') + note;
}
