#include "dialogs/ReportSaver.h"

#include "core/LangText.h"
#include "core/ProgramSettings.h"
#include "core/SafeFile.h"
#include "graph/RootList.h"
#include "ui/CommonDialogs.h"
#include "ui/MessageSink.h"

#include <QStringList>

QString ReportSaver::askPath(QWidget *owner, const FunctionProject &project, ReportKind kind)
{
    const FileFilter filter{{LangText("HtmlFiles", "HTML Files (*.html)"), QStringLiteral("*.html")}};
    const QString title = kind == ReportKind::Extrema ? LangText("SaveExtrema", "Save extrema")
                                                      : LangText("SaveRoots3", "Save roots");
    // The extension is proposed with the name: a function text such as "x-1.5" would otherwise
    // look like a name with the extension "5" and be saved without ".html".
    QString fileName = HtmlReport::proposedFileName(project, kind) + QStringLiteral(".html");
    if (!SaveFileDialog(owner, filter, QStringLiteral("*.html"), title, UsableResultsFolder(), fileName))
        return QString();
    return fileName;
}

bool ReportSaver::write(const QString &path, const QString &document)
{
    const FileWriteResult result = SafeFile::write(path, HtmlReport::fileBytes(document));
    if (!result.ok) {
        Messages().warning(path, LangText("ErrorSave", "The file could not be saved.") + QLatin1Char('\n')
                                     + result.reason);
    }
    return result.ok;
}

bool ReportSaver::saveRootsReport(const FunctionProject &project, const QVector<double> &roots, QWidget *owner)
{
    const QString path = askPath(owner, project, ReportKind::Roots);
    if (path.isEmpty())
        return false;
    QStringList texts;
    texts.reserve(roots.size());
    for (double root : roots)
        texts.append(RootList::rootText(root));
    return write(path, HtmlReport::rootsDocument(project, texts));
}

bool ReportSaver::saveExtremaReport(const FunctionProject &project, const QVector<ExtremumRow> &rows, QWidget *owner)
{
    const QString path = askPath(owner, project, ReportKind::Extrema);
    return !path.isEmpty() && write(path, HtmlReport::extremaDocument(project, rows));
}
