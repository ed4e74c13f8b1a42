// The language and encoding of the user's console, as this system tells
// them: the words a companion prints, and the bytes they become.
#ifndef LOGO_WRAP_SYSTEM_USER_LANGUAGE_H_
#define LOGO_WRAP_SYSTEM_USER_LANGUAGE_H_

#include "words/words.h"

// The locale's environment in gettext's order (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG); where none is set, on Windows the user's display
// language; else English.
Language userLanguage();

// Turns the table's UTF-8 into what standard output and error take: the
// locale's codeset on POSIX (UTF-8, GBK, GB18030, Big5...); on Windows the
// programs' UTF-8 itself, which a console shows as it is and a pipe gets in
// the ANSI code page. False when the text cannot be held there.
Encoder consoleEncoder();

// Text typed on the console (an option's value) as UTF-8: "800×480" in a
// GBK terminal arrives in GBK. As it came where it is no valid text there.
std::string textFromConsole(const std::string& typed);

#endif  // LOGO_WRAP_SYSTEM_USER_LANGUAGE_H_
