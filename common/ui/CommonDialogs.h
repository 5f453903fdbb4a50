#pragma once
// The four dialogs every window uses to ask for files, a colour or a printer. They return what
// their callers expect:
// - OpenFileDialog: one element, the full path, when one file was chosen; for several files
//   the folder followed by the chosen names (ChosenFilePaths turns either into full paths);
// - SaveFileDialog: the proposed name goes in, the chosen path comes out;
// - ColorDialog: the chosen colour, or the initial one when the user cancels; the sixteen
//   custom colours are kept for the whole run;
// - PrintDialog: true on OK, and CurrentPrinter() then carries the chosen printer and settings.
// The dialogs themselves sit behind DialogSink so that tests can answer them.
#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

// One entry of a file-type list, for example {"Trevolin Projects (*.tvp)", "*.tvp"}.
struct FileType {
    QString text;
    QString pattern;
};
using FileFilter = QList<FileType>;

bool OpenFileDialog(QWidget *owner, const FileFilter &filter, const QString &defaultExt, const QString &title,
                    const QString &initialFolder, QStringList &files);
bool SaveFileDialog(QWidget *owner, const FileFilter &filter, const QString &defaultExt, const QString &title,
                    const QString &initialFolder, QString &fileName);
QColor ColorDialog(QWidget *owner, const QColor &initialColour);
bool PrintDialog(QWidget *owner);

// The printer the program prints on; PrintDialog changes it.
QPrinter &CurrentPrinter();

// Full paths of the files that OpenFileDialog returned (one path, or folder and names).
QStringList ChosenFilePaths(const QStringList &files);

// The run-wide custom colours of the colour dialog (16 entries, initially 0xFEFEFE each).
QList<QColor> CustomColours();

// Qt's filter string for a file-type list ("Text (*.a *.b);;...").
QString QtFilterString(const FileFilter &filter);

// The dialogs as the wrappers see them. Paths are full paths; an empty answer means Cancel.
class DialogSink {
public:
    virtual ~DialogSink();
    virtual QStringList openFiles(QWidget *owner, const QString &title, const QString &folder,
                                  const QString &filter, const QString &defaultSuffix) = 0;
    virtual QString saveFile(QWidget *owner, const QString &title, const QString &proposedPath,
                             const QString &filter, const QString &defaultSuffix) = 0;
    // Returns an invalid colour on Cancel.
    virtual QColor colour(QWidget *owner, const QColor &initial) = 0;
    virtual bool print(QWidget *owner, QPrinter &printer) = 0;
};

// Installs `sink` (not owned). nullptr restores the real dialogs.
void SetDialogSink(DialogSink *sink);
