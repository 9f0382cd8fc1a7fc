#pragma once
// Which language the window speaks: the player's choice in the options
// (Option/Language), or else the desktop's.
#include <QString>
#include <QStringList>

namespace kv {

// The stored choice: 0 the desktop's language, 1 Japanese, 2 English.
enum LanguageChoice : int { kLanguageAuto = 0, kLanguageJapanese = 1, kLanguageEnglish = 2 };

// The code of the language to speak: "ja" (the texts as designed) or one of
// `catalogues` (the languages the program carries a catalogue for, such as
// "en"). Automatically, the desktop's languages are walked in order and the
// first the program speaks wins: Japanese, or "C" and "POSIX" (the texts as
// written), keep the design; a language with a catalogue is spoken. When
// none of them is spoken, English; with no language at all, the design.
QString PickLanguage(int choice, const QStringList& uiLanguages, const QStringList& catalogues);

// The stored number as a choice: anything but 1 or 2 means automatic.
int LanguageChoiceFrom(double stored);

}  // namespace kv
