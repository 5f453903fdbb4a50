#pragma once
// File names on the command line are bytes, which need not be UTF-8 ("lat\xe9.tvp" written by
// a Latin-1 system). Qt decodes them lossily, so such a name would no longer find its file.
// Here every byte that is no part of a UTF-8 character is kept as the lone surrogate
// U+DC00 + byte, so the exact bytes can be recovered to open the file.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace LocalFileName {

// The program's arguments (without the program name), decoded as above.
QStringList arguments(int argc, char *argv[]);

// The bytes an argument decoded by `arguments` came from.
QByteArray bytes(const QString &argument);

// A path by which Qt can open the file an argument names: the argument itself when it is UTF-8
// text, else the file opened by its bytes and reached through /proc/self/fd (the descriptor
// stays open until the program ends). The argument itself when no file opens.
QString openablePath(const QString &argument);

// The argument for messages, with U+FFFD for each byte that is no UTF-8.
QString shown(const QString &argument);

} // namespace LocalFileName
