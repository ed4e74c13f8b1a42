// Windows entry and pause.
#include <cstdlib>

#include "console.h"
#include "conversion_run.h"

// The command interpreter's own prompt, as users of the tool know it.
void pauseConsole() { (void)std::system("PAUSE"); }

// The start-up hands over the wide arguments as they are; the locale stays
// the default one.
int wmain(int argc, wchar_t* argv[]) { return runConversion(argc, argv); }
