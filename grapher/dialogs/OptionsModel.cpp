#include "dialogs/OptionsModel.h"

#include "core/IniFile.h"
#include "core/LangText.h"
#include "core/NumberReader.h"
#include "core/ProgramFolder.h"
#include "core/ProgramSettings.h"
#include "project/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <cmath>

namespace {

const QString SettingsSection = QStringLiteral("Settings");

} // namespace

bool SameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    const QString canonicalB = QFileInfo(b).canonicalFilePath();
    if (!canonicalA.isEmpty() && !canonicalB.isEmpty())
        return canonicalA == canonicalB;
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

QString OptionsModel::LanguageFolder() { return ProgramFolder() + QStringLiteral("/lang"); }

QList<LanguageEntry> OptionsModel::ScanLanguages(const QString &folder)
{
    const QDir dir(folder);
    if (!dir.exists())
        return {{QStringLiteral("English"), QString()}};
    QList<LanguageEntry> entries;
    const QStringList files =
        dir.entryList({QStringLiteral("*.lng")}, QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
    for (const QString &file : files) {
        const QString path = dir.filePath(file);
        entries.append({IniRead(path, QStringLiteral("Info"), QStringLiteral("Language"), file), path});
    }
    return entries;
}

OptionsModel::OptionsModel(const QString &languageFolder)
{
    const ProgramSettings &settings = programSettings();
    m_languages = ScanLanguages(languageFolder);
    if (m_languages.size() == 1 && m_languages.constFirst().path.isEmpty())
        m_selectedLanguage = 0;
    for (int i = 0; i < m_languages.size() && m_selectedLanguage < 0; ++i) {
        if (SameFile(m_languages.at(i).path, settings.languageFile))
            m_selectedLanguage = i;
    }
    m_decimalsText = QString::number(settings.Decimals);
    m_selectedSkin = settings.skin - 1;
    m_backgroundPicture = settings.backgroundPicture;
}

bool OptionsModel::ParseDecimals(const QString &text, int &decimals)
{
    qint32 value = 0;
    if (!NumberReader::userInteger(text, MinDecimals, MaxDecimals, value))
        return false;
    decimals = value;
    return true;
}

QString OptionsModel::DecimalsMessage()
{
    return LangText("NumberDecimals", "The value must be an integer between") + QStringLiteral(" ")
        + QString::number(MinDecimals) + QStringLiteral(" ") + LangText("And", "and") + QStringLiteral(" ")
        + QString::number(MaxDecimals) + QStringLiteral(" !");
}

SkinColors OptionsModel::chooseSkin(int index)
{
    m_skinChanged = true;
    m_selectedSkin = index;
    SkinColors preview = SkinColorsFor(programSettings().skin);
    SkinColorsOf(index + 1, preview);
    return preview;
}

void OptionsModel::setFitNewProjects(bool on)
{
    programSettings().fitNewProjects = on;
    WriteSetting(SettingsSection, QStringLiteral("FitNewProjects"), on ? QStringLiteral("1") : QStringLiteral("0"));
}

OptionsModel::AcceptResult OptionsModel::accept(const QString &decimalsText, int skinIndex, int languageIndex,
                                                bool backgroundPicture)
{
    ProgramSettings &settings = programSettings();
    AcceptResult result;

    int decimals = 0;
    if (!ParseDecimals(decimalsText, decimals)) {
        result.decimalsRefused = true;
        return result;
    }
    settings.Decimals = decimals;
    WriteSetting(SettingsSection, QStringLiteral("Decimals"), QString::number(decimals));

    const int skin = skinIndex + 1;
    SkinColors colors;
    if (skin != settings.skin && SkinColorsOf(skin, colors)) {
        settings.skin = skin;
        WriteSetting(SettingsSection, QStringLiteral("ForeItem"), QString::number(skin));
    }

    if (backgroundPicture != settings.backgroundPicture) {
        settings.backgroundPicture = backgroundPicture;
        WriteSetting(SettingsSection, QStringLiteral("BackgroundPicture"), backgroundPicture ? QStringLiteral("1") : QStringLiteral("0"));
        result.backgroundPictureChanged = true;
    }

    // The built-in English entry (no lang folder) names no file and changes nothing.
    if (languageIndex >= 0 && languageIndex < m_languages.size()) {
        const LanguageEntry &language = m_languages.at(languageIndex);
        if (!language.name.isEmpty() && !language.path.isEmpty()) {
            WriteSetting(SettingsSection, QStringLiteral("Language"), language.path);
            result.languageChangesAtNextRun = !SameFile(language.path, settings.languageFile);
        }
    }
    return result;
}

QString OptionsModel::LanguageChangedMessage()
{
    return LangText("ChangedLanguage", "The language will be changed at the next run!");
}

bool OptionsModel::cancel(SkinColors &restored) const
{
    restored = SkinColorsFor(programSettings().skin);
    return m_skinChanged;
}

bool OptionsModel::findRootsAutomatically() const { return programSettings().findRootsAutomatically; }

void OptionsModel::setFindRootsAutomatically(bool on)
{
    programSettings().findRootsAutomatically = on;
    WriteSetting(SettingsSection, QStringLiteral("FindRootsAutomatically"), on ? QStringLiteral("1") : QStringLiteral("0"));
}
