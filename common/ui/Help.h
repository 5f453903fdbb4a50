#pragma once
// Help and document opening. The help is a set of HTML pages in <program folder>/help, shown in
// the program's own help window; "index.html" is the table of contents. Opening documents,
// folders, web addresses and programs is left to the desktop.
#include <QString>

class QWidget;

// The table of contents.
void ShowHelpContents(QWidget *parent);
// One page, for example "whatsnew.html" or "expresie.html#functions".
void ShowHelpTopic(QWidget *parent, const QString &page);
// One page in the small help window that dialogs open beside themselves.
void ShowHelpInWindow(QWidget *parent, const QString &page);

// Opens a file, folder or web address with the desktop, or starts a program. False when nothing
// could be started for it (most callers ignore that).
bool OpenDocument(const QString &target);

// What OpenDocument does with a target.
enum class DocumentKind { Nothing, WebAddress, Program, File };
DocumentKind ClassifyDocument(const QString &target);

// The folder of the help pages and the path of one page in it.
QString HelpFolder();
QString HelpPagePath(const QString &page);
