#include "core/LocalFileName.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char16_t EscapeBase = 0xDC00;

bool isEscape(QChar c) { return c.unicode() >= EscapeBase + 0x80 && c.unicode() <= EscapeBase + 0xFF; }

// The length of the valid UTF-8 character at `at`, or 0.
int characterLength(const QByteArray &bytes, int at)
{
    const uchar lead = uchar(bytes.at(at));
    const int length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
        : lead >= 0xF0 && lead <= 0xF4                                                                ? 4
                                                                                                      : 0;
    if (length == 0 || at + length > bytes.size())
        return 0;
    QStringDecoder strict(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString decoded = strict.decode(bytes.mid(at, length));
    return strict.hasError() || decoded.isEmpty() ? 0 : length;
}

QString decode(const QByteArray &bytes)
{
    QString text;
    for (int at = 0; at < bytes.size();) {
        const int length = characterLength(bytes, at);
        if (length == 0) {
            text += QChar(char16_t(EscapeBase + uchar(bytes.at(at))));
            ++at;
        } else {
            text += QString::fromUtf8(bytes.constData() + at, length);
            at += length;
        }
    }
    return text;
}

} // namespace

namespace LocalFileName {

namespace {

// The file type and permissions of what the path names (after links), or 0.
mode_t modeOf(const QString &path)
{
    struct stat info;
    return !path.isEmpty() && ::stat(bytes(path).constData(), &info) == 0 ? info.st_mode : 0;
}

} // namespace

QStringList arguments(int argc, char *argv[])
{
    QStringList list;
    for (int i = 1; i < argc; ++i)
        list << decode(QByteArray(argv[i]));
    return list;
}

QString fromBytes(const QByteArray &bytes) { return decode(bytes); }

QByteArray bytes(const QString &argument)
{
    QByteArray result;
    QString run;
    for (const QChar c : argument) {
        if (!isEscape(c)) {
            run += c;
            continue;
        }
        result += run.toUtf8();
        run.clear();
        result += char(c.unicode() - EscapeBase);
    }
    return result + run.toUtf8();
}

bool isFile(const QString &path) { return (modeOf(path) & S_IFMT) == S_IFREG; }

bool isFolder(const QString &path) { return (modeOf(path) & S_IFMT) == S_IFDIR; }

bool openForReading(QFile &file, const QString &path, QString *reason, bool *missing)
{
    int descriptor = -1;
    if (!path.isEmpty()) {
        do
            descriptor = ::open(bytes(path).constData(), O_RDONLY | O_CLOEXEC);
        while (descriptor < 0 && errno == EINTR);
    }
    int error = path.isEmpty() ? ENOENT : errno;
    struct stat info;
    if (descriptor >= 0 && ::fstat(descriptor, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(descriptor); // a folder opens, but holds no text
        descriptor = -1;
        error = EISDIR;
    }
    if (descriptor >= 0 && file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return true;
    if (descriptor >= 0) {
        ::close(descriptor);
        if (reason)
            *reason = file.errorString();
        if (missing)
            *missing = false;
        return false;
    }
    if (reason)
        *reason = QString::fromLocal8Bit(std::strerror(error));
    if (missing)
        *missing = error == ENOENT || error == ENOTDIR;
    return false;
}

QString shown(const QString &argument)
{
    QString text = argument;
    for (QChar &c : text) {
        if (isEscape(c))
            c = QChar::ReplacementCharacter;
    }
    return text;
}

} // namespace LocalFileName
