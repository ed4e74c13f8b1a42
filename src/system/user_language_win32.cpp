#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "system/user_language.h"
#include "system/wide_text.h"

namespace {

std::string environmentValue(const wchar_t* name) {
  const wchar_t* value = _wgetenv(name);
  return value ? utf8FromWide(value) : "";
}

bool isConsole(std::FILE* stream) {
  DWORD mode = 0;
  return GetConsoleMode(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))), &mode) != 0;
}

// Whether the ANSI code page has every character of the text: a pipe or a
// file gets it so, with no "nearest" character put in for one it lacks.
bool ansiHolds(std::string_view utf8) {
  const std::wstring wide = wideFromUtf8(std::string(utf8));
  BOOL defaulted = FALSE;
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                      nullptr, &defaulted);
  return !defaulted;
}

}  // namespace

Language userLanguage() {
  // Set by hand, or by a Unix-like shell (MSYS2, Cygwin): as gettext reads it there.
  const auto chosen = languageOfEnvironment({environmentValue(L"LANGUAGE"), environmentValue(L"LC_ALL"),
                                             environmentValue(L"LC_MESSAGES"), environmentValue(L"LANG")});
  return chosen ? *chosen : languageOfWindowsId(GetUserDefaultUILanguage());
}

Encoder consoleEncoder() {
  const bool consoles = isConsole(stdout) && isConsole(stderr);
  return [consoles](std::string_view utf8, std::string& out) {
    out.assign(utf8);
    return consoles || ansiHolds(utf8);
  };
}

// The command line arrives in UTF-8 already (arguments_win32.cpp).
std::string textFromConsole(const std::string& typed) { return typed; }
