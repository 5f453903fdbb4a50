#pragma once
// The calculator's own settings: "settings.ini" in the program folder, section "Settings".
// The calculator only reads it; nothing else writes it.
#include "ui/Skins.h"

#include <QString>

struct CalcSettings {
    int skin = 1;                 // always 1..8
    bool skinReplaced = false;    // ForeItem named no skin, so skin 1 is used instead
    SkinColors colors = SkinColorsFor(1);
    QString languageFile;         // an existing file, or the English file of the program folder

    static QString fileName() { return QStringLiteral("settings.ini"); }

    // Reads the settings of the program in `programFolder`. A missing file gives skin 1 and
    // the English language file.
    static CalcSettings load(const QString &programFolder);
};
