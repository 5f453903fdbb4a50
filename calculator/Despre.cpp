#include "Despre.h"

#include "LangText.h"
#include "ProductSite.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

Despre::Despre(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Despre"));
    setWindowTitle(LangText(QStringLiteral("About"), QStringLiteral("About Trevolin")) + QStringLiteral(" Calculator"));

    Lbl_about = new QLabel(AboutText(QCoreApplication::applicationFilePath()), this);
    Lbl_about->setObjectName(QStringLiteral("Lbl_about"));
    Lbl_about->setTextInteractionFlags(Qt::TextSelectableByMouse);

    Lbl_url = new QLabel(this);
    Lbl_url->setObjectName(QStringLiteral("Lbl_url"));
    Lbl_url->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(ProductSite().toHtmlEscaped()));
    Lbl_url->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    Lbl_url->setCursor(Qt::PointingHandCursor);
    connect(Lbl_url, &QLabel::linkActivated, this, [this] {
        accept();
        emit siteRequested();
    });

    cmdOK = new QPushButton(LangText(QStringLiteral("Ok"), QStringLiteral("&Ok")), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(12);
    layout->addWidget(Lbl_about);
    layout->addWidget(Lbl_url);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString Despre::AboutText(const QString &programFile)
{
    const QString version = QStringLiteral("Trevolin Calculator %1.%2 Build %3")
                                .arg(TREV_VERSION_MAJOR)
                                .arg(TREV_VERSION_MINOR)
                                .arg(TREV_BUILD_NUMBER);
    const QDateTime built = QFileInfo(programFile).lastModified();
    const QString date = built.isValid() ? QLocale().toString(built, QLocale::ShortFormat) : QString();
    const QString note = LangText(QStringLiteral("CalcAboutNote"),
                                  QStringLiteral("Type an expression, a constant (g = 9.81) or a function (f: x^2+1)."));
    return version + QLatin1Char('\n') + date + QLatin1Char('\n') + note;
}
