// UTF-8 text in GBK (code page 936), converted by a converter that is not
// ours: glibc's iconv, or Windows' own.
#ifndef LOGO_WRAP_TESTS_SUPPORT_GBK_H_
#define LOGO_WRAP_TESTS_SUPPORT_GBK_H_

#include <string>

// Empty when the converter is missing or refuses the text.
std::string gbkFromUtf8(const std::string& text);

#endif  // LOGO_WRAP_TESTS_SUPPORT_GBK_H_
