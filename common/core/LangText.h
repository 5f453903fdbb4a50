#pragma once
// Every text the user sees is looked up by key in section "Msg" of the language file chosen at
// start-up, with the English default written next to the call. A missing file or key gives the
// default, so the programs work without any language file.
#include <QString>

QString LangText(const QString &key, const QString &def);

// Chooses the language file for the rest of the run (the file is read once, here).
void SetLanguageFile(const QString &path);
QString LanguageFile();
