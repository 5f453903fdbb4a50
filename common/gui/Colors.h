#pragma once
// Colours as the program stores them (project files, skins): 32-bit values 0x00BBGGRR. A value
// with the top bit set names a system colour by the index in its low byte.
#include <QColor>
#include <QtGlobal>

// The colour a stored value stands for. System colours come from the application palette.
QColor ColorFromValue(qint32 value);

// The stored value of a colour (always a plain 0x00BBGGRR value).
qint32 ColorValue(const QColor &color);
