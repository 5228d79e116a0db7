#pragma once
// The program's one translator: Qt Linguist catalogues zolt_<code>.qm in translations/ beside
// the program. Switching installs the new catalogue; every window retranslates on the
// LanguageChange event that follows.

#include <QString>

namespace TTranslator {
QString TranslationsDir();
// Switches to the language code ("en_US", "de", ...); the source language needs no catalogue.
bool SwitchTo(const QString &code);
QString Current();
}
