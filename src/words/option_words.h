// Option values refused, in words that say what is expected.
#ifndef LOGO_WRAP_WORDS_OPTION_WORDS_H_
#define LOGO_WRAP_WORDS_OPTION_WORDS_H_

#include <string>

#include "core/request_options.h"
#include "words/words.h"

// What follows "--OPTION: ".
std::string refusalText(const Words& words, const ValueRefusal& refusal);
// "'TEXT' is not en, zh-CN or zh-TW".
std::string languageRefusalText(const Words& words, const std::string& text);
// The pixel formats' names as a set, "{rgb565le,...,gray}".
std::string pixelFormatSet();

#endif  // LOGO_WRAP_WORDS_OPTION_WORDS_H_
