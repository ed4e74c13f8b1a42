#include <iconv.h>
#include <langinfo.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "system/user_language.h"

namespace {

std::string environmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// The codeset of the locale the environment names, for text only: numbers
// are formatted as they always were.
const char* localeCodeset() {
  std::setlocale(LC_CTYPE, "");
  return nl_langinfo(CODESET);
}

struct IconvCloser {
  void operator()(void* converter) const { iconv_close(static_cast<iconv_t>(converter)); }
};

bool convert(iconv_t converter, std::string_view utf8, std::string& out) {
  out.assign(utf8.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* to = out.data();
  std::size_t outLeft = out.size();
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  const bool whole = iconv(converter, &in, &inLeft, &to, &outLeft) != static_cast<std::size_t>(-1) &&
                     iconv(converter, nullptr, nullptr, &to, &outLeft) != static_cast<std::size_t>(-1);
  out.resize(out.size() - outLeft);
  return whole && inLeft == 0;
}

}  // namespace

Language userLanguage() {
  const auto chosen = languageOfEnvironment({environmentValue("LANGUAGE"), environmentValue("LC_ALL"),
                                             environmentValue("LC_MESSAGES"), environmentValue("LANG")});
  return chosen.value_or(Language::kEnglish);
}

std::string textFromConsole(const std::string& typed) {
  const std::string codeset = localeCodeset();
  if (codeset == "UTF-8") return typed;
  const iconv_t opened = iconv_open("UTF-8", codeset.c_str());
  if (opened == reinterpret_cast<iconv_t>(-1)) return typed;
  const std::unique_ptr<void, IconvCloser> converter(opened);
  std::string utf8;
  return convert(opened, typed, utf8) ? utf8 : typed;
}

Encoder consoleEncoder() {
  const std::string codeset = localeCodeset();
  if (codeset == "UTF-8") return {};
  const iconv_t opened = iconv_open(codeset.c_str(), "UTF-8");
  // A codeset iconv does not know holds ASCII at least: English, then.
  if (opened == reinterpret_cast<iconv_t>(-1))
    return [](std::string_view utf8, std::string& out) {
      out.assign(utf8);
      for (unsigned char c : utf8)
        if (c >= 0x80) return false;
      return true;
    };
  std::shared_ptr<void> converter(opened, IconvCloser());
  return [converter](std::string_view utf8, std::string& out) {
    return convert(static_cast<iconv_t>(converter.get()), utf8, out);
  };
}
