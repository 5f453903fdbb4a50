#include "ui/Help.h"

#include "ui/HelpWindow.h"
#include "core/ProgramFolder.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QUrl>

namespace {

const QString ContentsPage = QStringLiteral("index.html");

// The main help window and the small one that dialogs use live for the run once opened.
QPointer<HelpWindow> &helpWindow(bool small)
{
    static QPointer<HelpWindow> main;
    static QPointer<HelpWindow> side;
    return small ? side : main;
}

void showHelp(QWidget *parent, const QString &page, bool small)
{
    // The help window belongs to the window that asks for it, so that a modal dialog asking for
    // help does not block its own help page.
    QWidget *owner = parent ? parent->window() : nullptr;
    QPointer<HelpWindow> &window = helpWindow(small);
    if (!window) {
        window = new HelpWindow(owner);
        window->setAttribute(Qt::WA_DeleteOnClose);
        if (small)
            window->resize(520, 560);
    } else if (window->parentWidget() != owner) {
        window->setParent(owner, Qt::Window);
    }
    window->showPage(page.isEmpty() ? ContentsPage : page);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

QString HelpFolder() { return ProgramFolder() + QStringLiteral("/help"); }

QString HelpPagePath(const QString &page) { return HelpFolder() + QLatin1Char('/') + page; }

void ShowHelpContents(QWidget *parent) { showHelp(parent, ContentsPage, false); }

void ShowHelpTopic(QWidget *parent, const QString &page) { showHelp(parent, page, false); }

void ShowHelpInWindow(QWidget *parent, const QString &page) { showHelp(parent, page, true); }

DocumentKind ClassifyDocument(const QString &target)
{
    const QString text = target.trimmed();
    if (text.isEmpty())
        return DocumentKind::Nothing;
    static const QStringList webPrefixes = {QStringLiteral("http://"), QStringLiteral("https://"),
                                            QStringLiteral("ftp://"), QStringLiteral("mailto:"),
                                            QStringLiteral("www.")};
    for (const QString &prefix : webPrefixes) {
        if (text.startsWith(prefix, Qt::CaseInsensitive))
            return DocumentKind::WebAddress;
    }
    const QFileInfo info(text);
    if (!info.exists())
        return DocumentKind::Nothing;
    // Programs have no extension on this system (scripts may end in .sh); anything else that
    // happens to carry the executable bit is still a document.
    const QString suffix = info.suffix().toLower();
    if (info.isFile() && info.isExecutable() && (suffix.isEmpty() || suffix == QLatin1String("sh")))
        return DocumentKind::Program;
    return DocumentKind::File;
}

bool OpenDocument(const QString &target)
{
    const QString text = target.trimmed();
    switch (ClassifyDocument(text)) {
    case DocumentKind::Nothing:
        return false;
    case DocumentKind::WebAddress: {
        const QString address = text.startsWith(QLatin1String("www."), Qt::CaseInsensitive)
            ? QStringLiteral("https://") + text : text;
        return QDesktopServices::openUrl(QUrl(address));
    }
    case DocumentKind::Program:
        return QProcess::startDetached(QFileInfo(text).absoluteFilePath(), {}, ProgramFolder());
    case DocumentKind::File:
        return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath()));
    }
    return false;
}
