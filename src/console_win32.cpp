// Windows entry and pause.
#include <windows.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "console.h"
#include "conversion_run.h"

// The command interpreter's own prompt, as users of the tool know it.
void pauseConsole() { (void)std::system("PAUSE"); }

int wmain(int argc, wchar_t* argv[]) {
  // The runtime opens narrow paths in the system's ANSI code page (936 on a
  // Simplified Chinese system), so the path is converted in that one; the
  // user's own locale may name another. The default "C" locale would
  // convert nothing past U+00FF. Nothing printed depends on it.
  const std::string ansiCodePage = "." + std::to_string(GetACP());
  if (!std::setlocale(LC_CTYPE, ansiCodePage.c_str())) std::setlocale(LC_CTYPE, "");
  return runConversion(argc, argv);
}
