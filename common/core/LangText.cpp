#include "core/LangText.h"

#include "core/IniFile.h"

#include <memory>

namespace {

// A language file holds a few hundred short texts; anything near this size is no language file.
constexpr qint64 MaxLanguageFileBytes = 4 * 1024 * 1024;

struct Language {
    QString path;
    std::unique_ptr<IniFile> file;
};

Language &language()
{
    static Language current;
    return current;
}

} // namespace

void SetLanguageFile(const QString &path)
{
    Language &current = language();
    current.path = path;
    current.file = path.isEmpty() ? nullptr : std::make_unique<IniFile>(path, MaxLanguageFileBytes);
    // Without its texts the program still works, in English.
    if (current.file && current.file->isTooLarge())
        qWarning("Language file %s not read: %s", qPrintable(path), qPrintable(current.file->readFailure()));
}

QString LanguageFile() { return language().path; }

QString LangText(const QString &key, const QString &def)
{
    const Language &current = language();
    if (!current.file)
        return def;
    return current.file->value(QStringLiteral("Msg"), key, def);
}
