#include <io.h>
#include <windows.h>

#include <cstdlib>

#include "system/console.h"
#include "system/wide_text.h"

// The command interpreter's own prompt, as users of the tool know it.
void pauseConsole() {
  std::fflush(stdout);
  (void)std::system("PAUSE");
}

// A command prompt shares its console with what it starts; Explorer gives
// a console program one of its own, with nobody else on it.
bool consoleIsOwn() {
  DWORD processes[2];
  return GetConsoleProcessList(processes, 2) == 1;
}

void writeText(std::FILE* stream, const std::string& text) {
  const std::wstring wide = wideFromUtf8(text);
  const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) {
    std::fflush(stream);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  const int size = static_cast<int>(wide.size());
  std::string ansi(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                                                                size, nullptr, 0, nullptr, nullptr)),
                   '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, ansi.data(),
                      static_cast<int>(ansi.size()), nullptr, nullptr);
  std::fwrite(ansi.data(), 1, ansi.size(), stream);
}
