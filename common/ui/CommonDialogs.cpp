#include "ui/CommonDialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>

DialogSink::~DialogSink() = default;

namespace {

constexpr int CustomColourCount = 16;
// Every byte 0xFE: the colour dialog's custom colours before the user sets any.
const QColor InitialCustomColour(0xFE, 0xFE, 0xFE);

void prepareCustomColours()
{
    static bool prepared = false;
    if (prepared)
        return;
    prepared = true;
    for (int i = 0; i < CustomColourCount; ++i)
        QColorDialog::setCustomColor(i, InitialCustomColour);
}

class SystemDialogs : public DialogSink {
public:
    QStringList openFiles(QWidget *owner, const QString &title, const QString &folder, const QString &filter,
                          const QString &defaultSuffix) override
    {
        QFileDialog dialog(owner, title, folder, filter);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFiles);
        dialog.setDefaultSuffix(defaultSuffix);
        if (dialog.exec() != QDialog::Accepted)
            return {};
        return dialog.selectedFiles();
    }

    QString saveFile(QWidget *owner, const QString &title, const QString &proposedPath, const QString &filter,
                     const QString &defaultSuffix) override
    {
        QFileDialog dialog(owner, title, QString(), filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(defaultSuffix);
        const QFileInfo proposed(proposedPath);
        dialog.setDirectory(proposed.absolutePath());
        dialog.selectFile(proposed.fileName());
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().constFirst();
    }

    QColor colour(QWidget *owner, const QColor &initial) override
    {
        QColorDialog dialog(initial, owner);
        if (dialog.exec() != QDialog::Accepted)
            return {};
        return dialog.selectedColor();
    }

    bool print(QWidget *owner, QPrinter &printer) override
    {
        QPrintDialog dialog(&printer, owner);
        return dialog.exec() == QDialog::Accepted;
    }
};

DialogSink *&installedSink()
{
    static DialogSink *sink = nullptr;
    return sink;
}

DialogSink &dialogs()
{
    static SystemDialogs system;
    DialogSink *sink = installedSink();
    return sink ? *sink : system;
}

// "*.tvp" -> "tvp"; the dialogs complete a typed name with it.
QString suffixOf(const QString &defaultExt)
{
    QString suffix = defaultExt.trimmed();
    while (suffix.startsWith(QLatin1Char('*')) || suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    return suffix;
}

} // namespace

void SetDialogSink(DialogSink *sink) { installedSink() = sink; }

QString QtFilterString(const FileFilter &filter)
{
    QStringList entries;
    for (const FileType &type : filter) {
        QString patterns = type.pattern;
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        patterns = patterns.simplified();
        // Qt reads the patterns from the last parentheses of the text.
        if (type.text.contains(QLatin1Char('(') + patterns + QLatin1Char(')')))
            entries << type.text;
        else
            entries << type.text + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

bool OpenFileDialog(QWidget *owner, const FileFilter &filter, const QString &defaultExt, const QString &title,
                    const QString &initialFolder, QStringList &files)
{
    const QStringList chosen =
        dialogs().openFiles(owner, title, initialFolder, QtFilterString(filter), suffixOf(defaultExt));
    if (chosen.isEmpty())
        return false;
    files.clear();
    if (chosen.size() == 1) {
        files << QDir::toNativeSeparators(chosen.constFirst());
        return true;
    }
    files << QDir::toNativeSeparators(QFileInfo(chosen.constFirst()).absolutePath());
    for (const QString &path : chosen)
        files << QFileInfo(path).fileName();
    return true;
}

QStringList ChosenFilePaths(const QStringList &files)
{
    if (files.size() <= 1)
        return files;
    QStringList paths;
    const QString folder = files.constFirst();
    for (int i = 1; i < files.size(); ++i)
        paths << QDir(folder).filePath(files.at(i));
    return paths;
}

bool SaveFileDialog(QWidget *owner, const FileFilter &filter, const QString &defaultExt, const QString &title,
                    const QString &initialFolder, QString &fileName)
{
    const QString proposed = QDir(initialFolder).filePath(fileName);
    QString chosen = dialogs().saveFile(owner, title, proposed, QtFilterString(filter), suffixOf(defaultExt));
    if (chosen.isEmpty())
        return false;
    const int zero = chosen.indexOf(QChar(0));
    if (zero >= 0)
        chosen.truncate(zero);
    fileName = chosen;
    return true;
}

QColor ColorDialog(QWidget *owner, const QColor &initialColour)
{
    prepareCustomColours();
    const QColor chosen = dialogs().colour(owner, initialColour);
    return chosen.isValid() ? chosen : initialColour;
}

QList<QColor> CustomColours()
{
    prepareCustomColours();
    QList<QColor> colours;
    for (int i = 0; i < CustomColourCount; ++i)
        colours << QColorDialog::customColor(i);
    return colours;
}

QPrinter &CurrentPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

bool PrintDialog(QWidget *owner) { return dialogs().print(owner, CurrentPrinter()); }
