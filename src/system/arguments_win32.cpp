#include <windows.h>

#include "system/arguments.h"
#include "system/wide_text.h"

Arguments programArguments(int, char**) {
  Arguments arguments;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 0; wide && i < count; ++i) {
    const std::optional<std::string> text = exactUtf8FromWide(wide[i]);
    if (!text && !arguments.unreadable) arguments.unreadable = static_cast<std::size_t>(i);
    arguments.values.push_back(text.value_or(""));
  }
  LocalFree(wide);
  return arguments;
}
