#include <cstdlib>

#include "system/console.h"

// The command interpreter's own prompt, as users of the tool know it.
void pauseConsole() { (void)std::system("PAUSE"); }
