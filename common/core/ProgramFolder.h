#pragma once
// The folder of the running program: the engine library, lang/ and help/ live beside it.
#include <QString>

QString ProgramFolder();
