#pragma once
// File names are bytes, which need not be UTF-8 ("lat\xe9.tvp" written by a Latin-1 system).
// Qt decodes them lossily, so such a name would no longer find its file. Here every byte that is
// no part of a UTF-8 character is kept as the lone surrogate U+DC00 + byte, so the exact bytes
// can be recovered to open, test and write the file. A name that is UTF-8 is unchanged.
#include <QByteArray>
#include <QString>
#include <QStringList>

class QFile;

namespace LocalFileName {

// The program's arguments (without the program name), decoded as above.
QStringList arguments(int argc, char *argv[]);

// Bytes decoded as above, and back: the bytes a decoded text came from.
QString fromBytes(const QByteArray &bytes);
QByteArray bytes(const QString &argument);

// Whether the path names a regular file, or a folder (after links).
bool isFile(const QString &path);
bool isFolder(const QString &path);

// Opens `file` for reading by the path's own bytes; false with the system's reason otherwise
// (`missing` tells a file that is not there from one that cannot be opened).
bool openForReading(QFile &file, const QString &path, QString *reason = nullptr, bool *missing = nullptr);

// The argument for messages, with U+FFFD for each byte that is no UTF-8.
QString shown(const QString &argument);

} // namespace LocalFileName
