// logo_wrap's entry on Windows: the arguments arrive as wide characters.
#include <windows.h>

#include <clocale>
#include <string>

#include "logo_wrap/conversion_run.h"

int wmain(int argc, wchar_t* argv[]) {
  // The runtime opens narrow paths in the system's ANSI code page (936 on a
  // Simplified Chinese system), so the path is converted in that one; the
  // user's own locale may name another. The default "C" locale would
  // convert nothing past U+00FF. Nothing printed depends on it.
  const std::string ansiCodePage = "." + std::to_string(GetACP());
  if (!std::setlocale(LC_CTYPE, ansiCodePage.c_str())) std::setlocale(LC_CTYPE, "");
  return runConversion(argc, argv);
}
