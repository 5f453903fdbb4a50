#include "dialogs/AboutDialog.h"

#include "core/LangText.h"
#include "core/ProgramSettings.h"
#include "dialogs/AboutModel.h"
#include "ui/MessageSink.h"
#include "ui/Skins.h"

#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int PictureSize = 96;
constexpr double Pi = 3.14159265358979323846;

// The box's picture: a small graph with its curve crossing the axis, drawn here so that the
// program needs no image files.
QPixmap aboutPicture()
{
    QPixmap pixmap(PictureSize, PictureSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x80, 0x9C, 0xC8), 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(0.5, 0.5, PictureSize - 1, PictureSize - 1), 10, 10);
    const double middle = PictureSize / 2.0;
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(QPointF(8, middle), QPointF(PictureSize - 8, middle));
    painter.drawLine(QPointF(middle, 8), QPointF(middle, PictureSize - 8));
    QPainterPath curve;
    for (int i = 0; i <= 80; ++i) {
        const double x = 8 + i;
        const double y = middle - 28 * std::sin((x - middle) / 80 * 2 * Pi) * (0.4 + i / 133.0);
        if (i == 0)
            curve.moveTo(x, y);
        else
            curve.lineTo(x, y);
    }
    painter.setPen(QPen(Qt::red, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(curve);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::blue);
    painter.drawEllipse(QPointF(middle, middle), 3.5, 3.5);
    return pixmap;
}

QString link(const QString &target, const QString &text)
{
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(target, text.toHtmlEscaped());
}

} // namespace

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent), m_pictureButton(new QToolButton(this)), m_versionLabel(new QLabel(this)),
      m_supportLabel(new QLabel(this)), m_thankYouLabel(new QLabel(this)), m_siteLabel(new QLabel(this)),
      m_okButton(new QPushButton(this))
{
    setObjectName(QStringLiteral("AboutDialog"));
    m_pictureButton->setObjectName(QStringLiteral("Picture1"));
    m_versionLabel->setObjectName(QStringLiteral("Lbl_about"));
    m_supportLabel->setObjectName(QStringLiteral("Lbl_support"));
    m_thankYouLabel->setObjectName(QStringLiteral("Lbl_thanks"));
    m_siteLabel->setObjectName(QStringLiteral("Lbl_url"));
    m_okButton->setObjectName(QStringLiteral("cmdOK"));

    setWindowTitle(AboutModel::caption());
    m_pictureButton->setIcon(aboutPicture());
    m_pictureButton->setIconSize(QSize(PictureSize, PictureSize));
    m_pictureButton->setAutoRaise(true);
    m_pictureButton->setToolTip(LangText("SpeedTestHint", "Click to measure the speed of the evaluator."));
    m_versionLabel->setText(AboutModel::versionText(AboutModel::programFileTime()));
    m_versionLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_supportLabel->setText(AboutModel::supportText().toHtmlEscaped()
                            + link(QStringLiteral("contact"), LangText("ContactAuthor", "Contact the author")));
    m_thankYouLabel->setText(AboutModel::thankYouText());
    m_siteLabel->setText(link(QStringLiteral("site"), LangText("WebSite", "Trevolin on the web")));
    m_okButton->setText(LangText("Ok", "&Ok"));
    m_okButton->setDefault(true);

    ApplySkin(this, SkinColorsFor(programSettings().skin));

    connect(m_pictureButton, &QToolButton::clicked, this, &AboutDialog::askSpeedTest);
    connect(m_supportLabel, &QLabel::linkActivated, this, [] { reportNoWebSite(); });
    connect(m_siteLabel, &QLabel::linkActivated, this, [] { reportNoWebSite(); });
    connect(m_okButton, &QPushButton::clicked, this, &AboutDialog::accept);

    auto *texts = new QVBoxLayout;
    texts->addWidget(m_versionLabel);
    texts->addSpacing(8);
    texts->addWidget(m_supportLabel);
    texts->addWidget(m_siteLabel);
    texts->addSpacing(8);
    texts->addWidget(m_thankYouLabel);
    texts->addStretch();
    auto *top = new QHBoxLayout;
    top->addWidget(m_pictureButton, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    setLayout(layout);
}

void AboutDialog::askSpeedTest()
{
    bool ok = false;
    const QString title = LangText("EvaluationTest", "Evaluation test");
    const QString prompt = LangText("Function", "Function") + QStringLiteral(": ");
    const QString function =
        QInputDialog::getText(this, title, prompt, QLineEdit::Normal, AboutModel::speedTestFunction(), &ok);
    if (ok)
        runSpeedTest(function);
}

void AboutDialog::runSpeedTest(const QString &function)
{
    if (function.isEmpty())
        return;
    AboutModel::setSpeedTestFunction(function);
    qint64 elapsed = 0;
    if (!AboutModel::runSpeedTest(function, elapsed))
        return;
    Messages().information(LangText("Test", "Test"), AboutModel::speedTestText(function, elapsed));
}

void AboutDialog::reportNoWebSite() { Messages().information(QStringLiteral("Trevolin"), AboutModel::noWebSiteText()); }
