#include "core/SafeFile.h"

#include "core/FileSizeSignal.h"
#include "core/LocalFileName.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileWriteResult failure(int error) { return {false, QString::fromLocal8Bit(std::strerror(error))}; }

bool writeAll(int fd, const QByteArray &bytes, int &error)
{
    const char *data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return false;
        }
        if (written == 0) {
            error = ENOSPC;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

} // namespace

FileWriteResult SafeFile::write(const QString &path, const QByteArray &bytes)
{
    // Also here for callers that are no program of ours (tests, tools).
    IgnoreFileSizeSignal();
    // A link is followed, so the file it names is replaced and the link stays.
    const QFileInfo info(path);
    const QString target = info.isSymLink() && !info.symLinkTarget().isEmpty() ? info.symLinkTarget() : path;
    const QFileInfo targetInfo(target);
    if (targetInfo.isDir())
        return failure(EISDIR);

    const QByteArray targetName = LocalFileName::bytes(target);
    // An existing file that the user may not write (or that nobody may write, which also holds
    // back root) is not replaced: renaming over it would bypass its permissions.
    struct stat existing;
    if (::stat(targetName.constData(), &existing) == 0
        && (::access(targetName.constData(), W_OK) != 0 || (existing.st_mode & 0222) == 0))
        return failure(EACCES);
    QByteArray pattern = LocalFileName::bytes(targetInfo.absolutePath() + QLatin1String("/.")
                                           + targetInfo.fileName() + QLatin1String(".XXXXXX"));
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return failure(errno);

    // The new file keeps the permissions of the one it replaces (new files: 0666 less the umask).
    struct stat old;
    if (::stat(targetName.constData(), &old) == 0) {
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }

    int error = 0;
    bool ok = writeAll(fd, bytes, error);
    if (ok && ::fsync(fd) != 0) {
        error = errno;
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    if (ok && ::rename(pattern.constData(), targetName.constData()) != 0) {
        error = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(pattern.constData());
        return failure(error);
    }
    return {};
}
