#pragma once
// The eight skins: fixed pairs of a background colour and a text colour that every window of
// the program takes. Skin numbers run from 1 to 8, in the order of SkinNames().
#include "core/ProgramSettings.h"

#include <QColor>
#include <QStringList>

class QWidget;

struct SkinColors {
    QColor back;
    QColor fore;
};


// Colours of skin `skin`; numbers outside 1..8 give skin 1.
SkinColors SkinColorsFor(int skin);

// Colours of skin `number` into `colors`; a number outside 1..8 leaves `colors` as it was and
// returns false (a stored skin number that no longer exists keeps whatever the caller had).
bool SkinColorsOf(int number, SkinColors &colors);

// The display names of the skins, skin 1 first.
QStringList SkinNames();

// Colours one window and its controls: the window's background; labels take the text colour,
// list boxes the text and background colours, push buttons the background colour; other
// controls keep their own look.
void ApplySkin(QWidget *window, const SkinColors &colors);

// Applies a skin to every open top-level window and every window inside them (the main
// window's child windows included), as when the user picks a skin in the options.
void ApplySkinToAllWindows(const SkinColors &colors);
