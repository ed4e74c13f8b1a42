// Windows only: the programs' UTF-8 text and the system's wide characters.
#ifndef LOGO_WRAP_SYSTEM_WIDE_TEXT_H_
#define LOGO_WRAP_SYSTEM_WIDE_TEXT_H_

#include <optional>
#include <string>

std::wstring wideFromUtf8(const std::string& text);
std::string utf8FromWide(const std::wstring& text);
// Nothing when the wide text is not valid UTF-16 (a lone surrogate).
std::optional<std::string> exactUtf8FromWide(const std::wstring& text);

#endif  // LOGO_WRAP_SYSTEM_WIDE_TEXT_H_
