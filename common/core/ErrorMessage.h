#pragma once
// The user-visible sentence for an engine error code, in the current language.
#include <QString>

QString ErrorMessage(int code);
