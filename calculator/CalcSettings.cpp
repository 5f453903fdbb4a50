#include "CalcSettings.h"

#include "IniFile.h"

#include <QFileInfo>

#include <cmath>

namespace {

// The skin number of a ForeItem text: a decimal number rounded to the nearest integer, ties to
// even, or 0 (no skin) for anything else.
int SkinNumber(const QString &text)
{
    bool ok = false;
    const double number = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number) || std::fabs(number) > 1e6)
        return 0;
    return static_cast<int>(std::nearbyint(number));
}

} // namespace

CalcSettings CalcSettings::Load(const QString &programFolder)
{
    const QString file = programFolder + QLatin1Char('/') + FileName();
    const QString section = QStringLiteral("Settings");
    CalcSettings settings;

    // A number outside 1..8 has no colours; skin 1 keeps the window readable.
    const int skin = SkinNumber(IniRead(file, section, QStringLiteral("ForeItem"), QStringLiteral("1")));
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
