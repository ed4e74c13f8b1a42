// The languages the toolkit speaks, and how a user's choice is read: from
// an option, from the locale's environment in gettext's order, or from
// Windows' display language.
#ifndef LOGO_WRAP_WORDS_LANGUAGE_H_
#define LOGO_WRAP_WORDS_LANGUAGE_H_

#include <cstdint>
#include <optional>
#include <string>

enum class Language { kEnglish, kSimplifiedChinese, kTraditionalChinese };

// "en", "zh-CN", "zh-TW": the names --lang takes and the page uses.
const char* languageTag(Language language);
// A tag as people write it: any case, '-' or '_' ("zh_cn"). Nothing for
// another text.
std::optional<Language> parseLanguageTag(const std::string& text);

// A locale name such as "zh_CN.UTF-8", "zh_TW", "zh" or "C": zh_CN, zh_SG
// and plain zh are Simplified Chinese; zh_TW, zh_HK and zh_MO Traditional;
// anything else English.
Language languageOfLocale(const std::string& name);

// The locale's environment, as gettext reads it: the first of LC_ALL,
// LC_MESSAGES and LANG that is set and not empty names the locale; unless
// that is C or POSIX, LANGUAGE, a list such as "zh_TW:zh_CN:en", goes
// first, its first entry in a language the toolkit speaks deciding.
// Nothing when none of them is set, which on Windows leaves the choice to
// the display language.
struct LocaleEnvironment {
  std::string language, lcAll, lcMessages, lang;
};
std::optional<Language> languageOfEnvironment(const LocaleEnvironment& environment);

// A Windows language id (LANGID): Chinese of China or Singapore is
// Simplified; of Taiwan, Hong Kong or Macao Traditional; else English.
Language languageOfWindowsId(std::uint16_t languageId);

#endif  // LOGO_WRAP_WORDS_LANGUAGE_H_
