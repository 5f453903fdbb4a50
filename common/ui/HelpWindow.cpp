#include "ui/HelpWindow.h"

#include "ui/Help.h"
#include "core/LangText.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this)), m_contents(new QToolButton(this)),
      m_back(new QToolButton(this)), m_forward(new QToolButton(this))
{
    setWindowTitle(LangText("HelpTitle", "Trevolin Help"));
    setObjectName(QStringLiteral("HelpWindow"));
    m_contents->setText(LangText("Contents", "Contents"));
    m_back->setText(LangText("Back", "Back"));
    m_forward->setText(LangText("Forward", "Forward"));
    m_back->setEnabled(false);
    m_forward->setEnabled(false);

    m_browser->setSearchPaths({HelpFolder()});
    // Pages of the help folder stay in the viewer; web addresses go to the user's browser.
    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(true);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);
    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_contents, &QToolButton::clicked, this, [this] { showPage(QStringLiteral("index.html")); });

    // The help window closes the way other viewers do: Esc or the platform's close key.
    for (const QKeySequence &key : {QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_contents);
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);
    resize(760, 620);
}

void HelpWindow::showPage(const QString &page)
{
    const int hash = page.indexOf(QLatin1Char('#'));
    const QString file = hash < 0 ? page : page.left(hash);
    QUrl url = QUrl::fromLocalFile(HelpPagePath(file));
    if (hash >= 0)
        url.setFragment(page.mid(hash + 1));
    m_browser->setSource(url);
}

QString HelpWindow::currentPage() const
{
    const QUrl source = m_browser->source();
    const QString name = QFileInfo(source.toLocalFile()).fileName();
    return source.hasFragment() ? name + QLatin1Char('#') + source.fragment() : name;
}
