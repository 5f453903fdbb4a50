#include "CalcHistoryFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>

#include <algorithm>

CalcHistoryFile::CalcHistoryFile(const QString &path)
    : m_path(path)
{
}

QString CalcHistoryFile::defaultPath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/history.txt");
}

QStringList CalcHistoryFile::load() const
{
    if (m_path.isEmpty())
        return {};
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileBytes)
        return {};
    // Read with a limit: a device or pipe in the file's place has no size to check beforehand.
    const QByteArray bytes = file.read(MaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > MaxFileBytes || bytes.contains('\0'))
        return {};
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return {};

    QStringList lines;
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (!line.trimmed().isEmpty())
            lines.append(line);
    }
    return lines.mid(std::max(0, static_cast<int>(lines.size()) - MaxLines));
}

FileWriteResult CalcHistoryFile::save(const QStringList &lines) const
{
    if (m_path.isEmpty())
        return {};
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QByteArray bytes;
    for (const QString &line : lines.mid(std::max(0, static_cast<int>(lines.size()) - MaxLines))) {
        bytes += line.toUtf8();
        bytes += '\n';
    }
    return SafeFile::write(m_path, bytes);
}
