#include "CalcHistoryFile.h"

#include "core/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// Another calculator writing at the same moment holds the lock for milliseconds; a lock held
// longer belongs to a calculator that hangs, and the write goes ahead without it.
constexpr int LockWaitMs = 5000;

bool isBlank(const QByteArray &line)
{
    return std::all_of(line.cbegin(), line.cend(), [](char c) { return c == ' ' || c == '\t' || c == '\r'; });
}

// The line as text, or a null string when it cannot be read.
QString readableLine(QByteArray line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    if (line.size() > CalcHistoryFile::MaxLineBytes || line.contains('\0'))
        return QString();
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(line);
    return utf8.hasError() ? QString() : text;
}

} // namespace

CalcHistoryFile::CalcHistoryFile(const QString &path)
    : m_path(path)
{
}

QString CalcHistoryFile::defaultPath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/history.txt");
}

HistoryRead CalcHistoryFile::read() const
{
    HistoryRead result;
    if (m_path.isEmpty() || !QFileInfo::exists(m_path))
        return result;
    QFile file(m_path);
    if (QFileInfo(m_path).isDir() || !file.open(QIODevice::ReadOnly)) {
        result.failure = QFileInfo(m_path).isDir() ? QString::fromLocal8Bit(std::strerror(EISDIR)) : file.errorString();
        return result;
    }
    // The size is checked before anything is read; the limited read also covers a device or a
    // pipe in the file's place, which has no size to check beforehand.
    QByteArray bytes;
    if (file.size() <= MaxFileBytes)
        bytes = file.read(MaxFileBytes + 1);
    if (file.size() > MaxFileBytes || bytes.size() > MaxFileBytes) {
        result.failure = IniFile::tooLargeText(MaxFileBytes);
        return result;
    }
    if (file.error() != QFileDevice::NoError) {
        result.failure = file.errorString();
        return result;
    }

    // The last MaxLines lines are taken before any of them is decoded.
    const QList<QByteArray> all = bytes.split('\n');
    QList<QByteArray> kept;
    for (auto line = all.crbegin(); line != all.crend() && kept.size() < MaxLines; ++line) {
        if (!isBlank(*line))
            kept.prepend(*line);
    }
    for (const QByteArray &line : std::as_const(kept)) {
        const QString text = readableLine(line);
        if (text.isNull())
            ++result.skipped;
        else
            result.lines.append(text);
    }
    return result;
}

FileWriteResult CalcHistoryFile::append(const QStringList &newLines) const { return write(newLines, true); }

FileWriteResult CalcHistoryFile::save(const QStringList &lines) const { return write(lines, false); }

FileWriteResult CalcHistoryFile::write(const QStringList &lines, bool keepCurrent) const
{
    if (m_path.isEmpty())
        return {};
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QLockFile lock(m_path + QStringLiteral(".lock"));
    lock.tryLock(LockWaitMs);

    const HistoryRead current = read();
    if (current.isDamaged() && QFileInfo(m_path).isFile()
        && std::rename(QFile::encodeName(m_path).constData(), QFile::encodeName(damagedPath()).constData()) != 0)
        return {false, QString::fromLocal8Bit(std::strerror(errno))};

    QStringList all = keepCurrent ? current.lines + lines : lines;
    // What would be left out when read is not written either.
    all.removeIf([](const QString &line) { return line.toUtf8().size() > MaxLineBytes; });
    QByteArray bytes;
    for (const QString &line : all.mid(std::max(0, static_cast<int>(all.size()) - MaxLines))) {
        bytes += line.toUtf8();
        bytes += '\n';
    }
    return SafeFile::write(m_path, bytes);
}
