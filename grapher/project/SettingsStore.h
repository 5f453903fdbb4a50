#pragma once
// The grapher's per-user settings store: string values addressed by section and key under the
// application name "Trevolin" (sections "Settings" and "EqHistory"), and the conversions and
// start-up loading of the program-wide values (see ProgramSettings).
#include <QString>

QString ReadSetting(const QString &section, const QString &key, const QString &def);
void WriteSetting(const QString &section, const QString &key, const QString &value);

// A stored text read as a number: its longest leading part that forms a decimal number
// ("." as separator, optional sign and exponent); an empty or non-numeric text gives 0.
double SettingNumber(const QString &text);
// The same, rounded to the nearest integer (ties to even) and kept within the int range.
int SettingInteger(const QString &text);

// The file-system path of a special folder; 5 is the user's documents folder. Empty when the
// system has no such folder.
QString SpecialFolderPath(int folderId);
constexpr int DocumentsFolderId = 5;

// The default language file: <program folder>/lang/english.lng.
QString DefaultLanguageFile();

// Reads the store once at start-up and fills programSettings(); chooses the language file.
void LoadSettings();
