#include "project/SettingsStore.h"

#include "core/LangText.h"
#include "core/ProgramFolder.h"
#include "core/ProgramSettings.h"
#include "core/NumberFormat.h"
#include "core/NumberReader.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <cmath>
#include <limits>

namespace {

const QString SettingsSection = QStringLiteral("Settings");
const QString ResultsFolderName = QStringLiteral("Trevolin Results");

QSettings store() { return QSettings(QStringLiteral("Trevolin"), QStringLiteral("Trevolin")); }

QString settingsKey(const QString &section, const QString &key) { return section + QLatin1Char('/') + key; }

} // namespace

QString ReadSetting(const QString &section, const QString &key, const QString &def)
{
    const QVariant value = store().value(settingsKey(section, key));
    return value.isValid() ? value.toString() : def;
}

void WriteSetting(const QString &section, const QString &key, const QString &value)
{
    store().setValue(settingsKey(section, key), value);
}

double SettingNumber(const QString &text) { return NumberReader::settingNumber(text); }

int SettingInteger(const QString &text)
{
    const double rounded = NumberFormat::roundHalfEven(SettingNumber(text), 0);
    if (rounded >= std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (rounded <= std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(rounded);
}

QString SpecialFolderPath(int folderId)
{
    if (folderId != DocumentsFolderId)
        return QString();
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString DefaultLanguageFile() { return ProgramFolder() + QStringLiteral("/lang/english.lng"); }

void LoadSettings()
{
    ProgramSettings &settings = programSettings();

    // 1. Skin. A stored number that names no skin (a hand-edited store) gives skin 1: keeping
    //    no colours at all would leave black texts on black windows.
    settings.skin = SettingInteger(ReadSetting(SettingsSection, QStringLiteral("ForeItem"), QStringLiteral("1")));
    if (settings.skin < 1 || settings.skin > SkinCount)
        settings.skin = 1;

    // 2. Results folder: made anew under the documents folder when missing, and remembered.
    const QString stored = ReadSetting(SettingsSection, QStringLiteral("Results"), QString());
    if (!stored.isEmpty() && QFileInfo(stored).isDir()) {
        settings.resultsFolder = stored;
    } else {
        settings.resultsFolder = SpecialFolderPath(DocumentsFolderId) + QLatin1Char('/') + ResultsFolderName;
        if (!QFileInfo(settings.resultsFolder).isDir())
            QDir().mkdir(settings.resultsFolder);
        WriteSetting(SettingsSection, QStringLiteral("Results"), settings.resultsFolder);
    }

    // 3. Language file; one that no longer exists falls back to English.
    settings.languageFile = ReadSetting(SettingsSection, QStringLiteral("Language"), DefaultLanguageFile());
    if (!QFileInfo(settings.languageFile).isFile())
        settings.languageFile = DefaultLanguageFile();
    SetLanguageFile(settings.languageFile);

    // 4. and 5. Numbers.
    settings.Decimals = SettingInteger(ReadSetting(SettingsSection, QStringLiteral("Decimals"), QStringLiteral("8")));
    settings.MinLen = SettingNumber(ReadSetting(SettingsSection, QStringLiteral("MinLen"), QStringLiteral("0.001")));
    settings.MaxLen = SettingNumber(ReadSetting(SettingsSection, QStringLiteral("MaxLen"), QStringLiteral("10000")));
    settings.GraphPrecision =
        SettingInteger(ReadSetting(SettingsSection, QStringLiteral("GraphPrecision"), QStringLiteral("200")));
    settings.RootSteps = SettingInteger(ReadSetting(SettingsSection, QStringLiteral("RootSteps"), QStringLiteral("1000")));

    // 6. The background picture of the graph windows: on unless switched off ("0").
    settings.backgroundPicture =
        SettingInteger(ReadSetting(SettingsSection, QStringLiteral("BackgroundPicture"), QStringLiteral("1"))) != 0;
    settings.fitNewProjects =
        SettingInteger(ReadSetting(SettingsSection, QStringLiteral("FitNewProjects"), QStringLiteral("1"))) != 0;
    settings.findRootsAutomatically =
        SettingInteger(ReadSetting(SettingsSection, QStringLiteral("FindRootsAutomatically"), QStringLiteral("1"))) != 0;
}
