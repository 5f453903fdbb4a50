#pragma once
// Every file the programs write goes through here: a save either completes or leaves the old
// file byte for byte as it was. The bytes go to a temporary file beside the target; every write,
// the flush to disk and the close are checked, and only then does the temporary file replace the
// target. Any failure removes the temporary file and says why.
#include <QByteArray>
#include <QString>

struct FileWriteResult {
    bool ok = true;
    QString reason;   // the system's reason for a failure, for the user's message
    explicit operator bool() const { return ok; }
};

namespace SafeFile {

FileWriteResult write(const QString &path, const QByteArray &bytes);

} // namespace SafeFile
