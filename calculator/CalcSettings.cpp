#include "CalcSettings.h"

#include "core/IniFile.h"
#include "core/NumberFormat.h"
#include "core/NumberReader.h"

#include <QFileInfo>


namespace {

// The skin number of a ForeItem text: a decimal number rounded to the nearest integer, ties to
// even, or 0 (no skin) for anything else.
int skinNumber(const QString &text)
{
    const QString trimmed = text.trimmed();
    bool overflow = false;
    int consumed = 0;
    const double number = NumberReader::parseNumberPrefix(trimmed, &overflow, &consumed);
    qint32 skin = 0;
    if (trimmed.isEmpty() || overflow || consumed != trimmed.size() || !NumberFormat::roundToInt32(number, skin))
        return 0;
    return skin;
}

} // namespace

CalcSettings CalcSettings::load(const QString &programFolder)
{
    const QString file = programFolder + QLatin1Char('/') + fileName();
    const QString section = QStringLiteral("Settings");
    CalcSettings settings;

    // A number outside 1..8 has no colours; skin 1 keeps the window readable.
    const int skin = skinNumber(IniRead(file, section, QStringLiteral("ForeItem"), QStringLiteral("1")));
    if (SkinColorsOf(skin, settings.colors)) {
        settings.skin = skin;
    } else {
        settings.skin = 1;
        settings.skinReplaced = true;
        settings.colors = SkinColorsFor(1);
    }

    const QString english = programFolder + QStringLiteral("/lang/english.lng");
    settings.languageFile = IniRead(file, section, QStringLiteral("Language"), english);
    if (!QFileInfo(settings.languageFile).isFile())
        settings.languageFile = english;
    return settings;
}
