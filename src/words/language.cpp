#include "words/language.h"

#include <algorithm>
#include <vector>

#include "core/named_value.h"

namespace {

// "zh_TW.Big5@x" -> "zh", "tw"; "zh-Hant-HK" -> "zh", "hant-hk".
void splitLocale(const std::string& name, std::string& language, std::string& rest) {
  std::string plain = lowerCase(name.substr(0, name.find_first_of(".@")));
  std::replace(plain.begin(), plain.end(), '_', '-');
  const auto separator = plain.find('-');
  language = plain.substr(0, separator);
  rest = separator == std::string::npos ? "" : plain.substr(separator + 1);
}

// "a:b" -> {"a", "b"}; without streams, which would weigh on the page.
std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
    parts.push_back(text.substr(start, end - start));
  parts.push_back(text.substr(start));
  return parts;
}

// No locale set is the C locale too.
bool isCLocale(const std::string& name) {
  const std::string plain = name.substr(0, name.find_first_of(".@"));
  return plain.empty() || plain == "C" || plain == "POSIX";
}

// Whether a LANGUAGE entry is in a language the toolkit speaks; one that
// is not is passed over, as gettext passes over one it has no words for.
bool isSpoken(const std::string& entry) {
  std::string language, territory;
  splitLocale(entry, language, territory);
  return language == "en" || language == "zh";
}

}  // namespace

const char* languageTag(Language language) {
  switch (language) {
    case Language::kSimplifiedChinese:
      return "zh-CN";
    case Language::kTraditionalChinese:
      return "zh-TW";
    case Language::kEnglish:
      break;
  }
  return "en";
}

std::optional<Language> parseLanguageTag(const std::string& text) {
  std::string tag = lowerCase(text);
  std::replace(tag.begin(), tag.end(), '_', '-');
  if (tag == "en") return Language::kEnglish;
  if (tag == "zh-cn") return Language::kSimplifiedChinese;
  if (tag == "zh-tw") return Language::kTraditionalChinese;
  return std::nullopt;
}

Language languageOfLocale(const std::string& name) {
  std::string language, rest;
  splitLocale(name, language, rest);
  if (language != "zh") return Language::kEnglish;
  // The rest is a territory, or a browser's script and region ("Hant-TW").
  for (const std::string& part : split(rest, '-'))
    if (part == "tw" || part == "hk" || part == "mo" || part == "hant") return Language::kTraditionalChinese;
  return Language::kSimplifiedChinese;
}

std::optional<Language> languageOfEnvironment(const LocaleEnvironment& environment) {
  const std::string& locale = !environment.lcAll.empty()        ? environment.lcAll
                              : !environment.lcMessages.empty() ? environment.lcMessages
                                                                : environment.lang;
  if (!environment.language.empty() && !isCLocale(locale)) {
    for (const std::string& entry : split(environment.language, ':'))
      if (isSpoken(entry)) return languageOfLocale(entry);
  }
  if (locale.empty()) return std::nullopt;
  return languageOfLocale(locale);
}

Language languageOfWindowsId(std::uint16_t languageId) {
  constexpr std::uint16_t kChinese = 0x04;
  if ((languageId & 0x3FF) != kChinese) return Language::kEnglish;
  switch (languageId >> 10) {
    case 0x01:  // Taiwan
    case 0x03:  // Hong Kong
    case 0x05:  // Macao
    case 0x1F:  // Traditional, of no country
      return Language::kTraditionalChinese;
    default:  // China, Singapore, and plain Chinese
      return Language::kSimplifiedChinese;
  }
}
