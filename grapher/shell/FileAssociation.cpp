#include "shell/FileAssociation.h"

#include "core/LangText.h"
#include "core/SafeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

const QString ProjectPattern = QStringLiteral("*.tvp");
constexpr int RefreshTimeoutMs = 10000;

QString userDataFolder() { return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation); }

bool isProjectPattern(const QString &pattern) { return pattern.compare(ProjectPattern, Qt::CaseInsensitive) == 0; }

// True when one of the package's types has the glob *.tvp.
bool packageDefinesPattern(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("glob")
            && isProjectPattern(xml.attributes().value(QLatin1String("pattern")).toString()))
            return true;
    }
    return false;
}

// True when the compiled glob list ("weight:type:glob" in globs2, "type:glob" in globs) gives
// *.tvp to a type other than ours.
bool globListDefinesPattern(const QString &path, int typeField, int patternField)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().trimmed().split(':');
        if (fields.size() <= patternField || fields.first().startsWith('#'))
            continue;
        if (isProjectPattern(QString::fromUtf8(fields.at(patternField)))
            && QString::fromUtf8(fields.at(typeField)) != FileAssociation::MimeTypeName)
            return true;
    }
    return false;
}

// Quotes one argument of an Exec value, then escapes the result as a desktop-entry string.
QString execArgument(const QString &argument)
{
    QString quoted;
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted = QLatin1Char('"') + quoted + QLatin1Char('"');
    quoted.replace(QLatin1Char('%'), QLatin1String("%%"));
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    quoted.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    quoted.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    quoted.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    return quoted;
}

// A display name on one line of a desktop entry.
QString entryText(QString text)
{
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return text;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    return bool(SafeFile::write(path, bytes));
}

void runTool(const QString &name, const QString &folder)
{
    const QString tool = QStandardPaths::findExecutable(name);
    if (tool.isEmpty() || !QFileInfo(folder).isDir())
        return;
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(tool, {folder});
    if (!process.waitForFinished(RefreshTimeoutMs))
        process.kill();
}

} // namespace

const QString FileAssociation::MimeTypeName = QStringLiteral("application/x-trevolin-project");
const QString FileAssociation::PackageFileName = QStringLiteral("trevolin-project.xml");
const QString FileAssociation::InstalledPackageFileName = QStringLiteral("trevolin.xml");
const QString FileAssociation::DesktopFileName = QStringLiteral("trevolin-line.desktop");

FileAssociation::FileAssociation(const QString &program)
    : m_program(program.isEmpty() ? QCoreApplication::applicationFilePath() : program)
{
}

QString FileAssociation::packagePath() const
{
    return userDataFolder() + QStringLiteral("/mime/packages/") + PackageFileName;
}

QString FileAssociation::desktopEntryPath() const
{
    return userDataFolder() + QStringLiteral("/applications/") + DesktopFileName;
}

QByteArray FileAssociation::package() const
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info"));
    xml.writeStartElement(QStringLiteral("mime-info"));
    xml.writeStartElement(QStringLiteral("mime-type"));
    xml.writeAttribute(QStringLiteral("type"), MimeTypeName);
    xml.writeTextElement(QStringLiteral("comment"), LangText("FileTypeName", "Trevolin Math Equation"));
    xml.writeEmptyElement(QStringLiteral("sub-class-of"));
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("text/plain"));
    xml.writeEmptyElement(QStringLiteral("glob"));
    xml.writeAttribute(QStringLiteral("pattern"), ProjectPattern);
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

QString FileAssociation::execLine() const { return execArgument(m_program) + QStringLiteral(" %f"); }

QByteArray FileAssociation::desktopEntry() const
{
    const QString exec = execLine();
    const QString lines[] = {
        QStringLiteral("[Desktop Entry]"),
        QStringLiteral("Type=Application"),
        QStringLiteral("Name=Trevolin"),
        // The entry serves the file type only; it is not a launcher of its own.
        QStringLiteral("NoDisplay=true"),
        QStringLiteral("Terminal=false"),
        QStringLiteral("Exec=") + exec,
        QStringLiteral("MimeType=") + MimeTypeName + QLatin1Char(';'),
        QStringLiteral("Actions=Solve;Open;"),
        QString(),
        QStringLiteral("[Desktop Action Solve]"),
        QStringLiteral("Name=") + entryText(LangText("FileVerbSolve", "Solve equation")),
        QStringLiteral("Exec=") + exec,
        QString(),
        QStringLiteral("[Desktop Action Open]"),
        QStringLiteral("Name=") + entryText(LangText("FileVerbOpen", "Open")),
        QStringLiteral("Exec=") + exec,
    };
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + '\n';
    return bytes;
}

bool FileAssociation::isTypeDefined() const
{
    for (const QString &folder : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QDir mime(folder + QStringLiteral("/mime"));
        if (!mime.exists())
            continue;
        const QDir packages(mime.filePath(QStringLiteral("packages")));
        // The installed package is in the compiled glob list too, under our own type, so it is
        // recognised by its name.
        if (packages.exists(PackageFileName) || packages.exists(InstalledPackageFileName))
            return true;
        const QFileInfo globs2(mime.filePath(QStringLiteral("globs2")));
        if (globListDefinesPattern(globs2.filePath(), 1, 2)
            || globListDefinesPattern(mime.filePath(QStringLiteral("globs")), 0, 1))
            return true;
        // The glob list holds every package compiled before it was made (the system's database
        // is megabytes of XML); only packages added since are read.
        const QFileInfoList files = packages.entryInfoList({QStringLiteral("*.xml")}, QDir::Files);
        for (const QFileInfo &file : files) {
            if ((!globs2.exists() || file.lastModified() >= globs2.lastModified())
                && packageDefinesPattern(file.filePath()))
                return true;
        }
    }
    return false;
}

FileAssociation::Registration FileAssociation::registerProjectFiles() const
{
    if (isTypeDefined())
        return Registration::AlreadyDefined;
    // The desktop entry first: once the package exists the type counts as defined.
    const bool written = writeFile(desktopEntryPath(), desktopEntry()) && writeFile(packagePath(), package());
    refreshDesktopCaches();
    return written ? Registration::Written : Registration::Failed;
}

bool FileAssociation::unregisterProjectFiles() const
{
    bool removed = false;
    for (const QString &path : {packagePath(), desktopEntryPath()}) {
        if (QFile::exists(path))
            removed = QFile::remove(path) || removed;
    }
    if (removed)
        refreshDesktopCaches();
    return removed;
}

void FileAssociation::refreshDesktopCaches() const
{
    const QString folder = userDataFolder();
    runTool(QStringLiteral("update-mime-database"), folder + QStringLiteral("/mime"));
    runTool(QStringLiteral("update-desktop-database"), folder + QStringLiteral("/applications"));
}
