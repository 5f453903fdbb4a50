#pragma once
// Registers project files (*.tvp) with the desktop for the current user: a shared-mime-info
// package that defines the file type and a desktop entry that runs line with the file, whose
// default action solves the equation and whose second action opens it. Both go under the
// user's data folder ($XDG_DATA_HOME), and only while no data folder defines *.tvp yet: an
// existing association, also one that points elsewhere, is left alone; so is the file type that
// an installed package puts into a system data folder ($XDG_DATA_DIRS). Removal takes away
// exactly the two files written here. Failures are not reported; a registration that failed
// is tried again at the next start.
#include <QByteArray>
#include <QString>

class FileAssociation {
public:
    static const QString MimeTypeName;
    static const QString PackageFileName;
    // The package an installation puts into share/mime/packages for every user.
    static const QString InstalledPackageFileName;
    static const QString DesktopFileName;

    enum class Registration {
        Written,         // both files written
        AlreadyDefined,  // *.tvp was defined already; nothing written
        Failed,          // a file could not be written
    };

    // `program` is what the entries run (by default this program).
    explicit FileAssociation(const QString &program = QString());

    // Writes the entries unless *.tvp is already defined, then refreshes the desktop's caches.
    Registration registerProjectFiles() const;
    // Removes the entries written by registerProjectFiles; true when there was something to
    // remove.
    bool unregisterProjectFiles() const;

    // True when some data folder defines *.tvp: holds our package or the installed one, has a compiled glob list
    // that gives *.tvp to another type (a list not yet refreshed after our package was
    // removed must not count), or has a package with that glob added since the list was made.
    bool isTypeDefined() const;

    QString packagePath() const;
    QString desktopEntryPath() const;
    // The files' contents.
    QByteArray package() const;
    QByteArray desktopEntry() const;
    // The Exec value that runs the program with one file.
    QString execLine() const;

private:
    // Runs update-mime-database and update-desktop-database on the user's folders when they
    // are installed.
    void refreshDesktopCaches() const;

    QString m_program;
};
