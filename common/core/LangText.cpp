#include "core/LangText.h"

#include "core/IniFile.h"

#include <memory>

namespace {

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
    current.file = path.isEmpty() ? nullptr : std::make_unique<IniFile>(path);
}

QString LanguageFile() { return language().path; }

QString LangText(const QString &key, const QString &def)
{
    const Language &current = language();
    if (!current.file)
        return def;
    return current.file->value(QStringLiteral("Msg"), key, def);
}
