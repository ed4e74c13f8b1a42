// Windows entry and pause.
#include <clocale>
#include <cstdlib>

#include "console.h"
#include "conversion_run.h"

// The command interpreter's own prompt, as users of the tool know it.
void pauseConsole() { (void)std::system("PAUSE"); }

int wmain(int argc, wchar_t* argv[]) {
  // The runtime opens narrow paths in the ANSI code page (936 on a
  // Simplified Chinese system), and the user's locale is that code page. The
  // default "C" locale would convert nothing past U+00FF, and Latin-1 bytes
  // would be read back as other characters. Nothing printed depends on it.
  std::setlocale(LC_CTYPE, "");
  return runConversion(argc, argv);
}
