// What the console does differently per platform.
#ifndef LOGO_WRAP_SYSTEM_CONSOLE_H_
#define LOGO_WRAP_SYSTEM_CONSOLE_H_

#include <cstdio>
#include <string>

// Waits for a key so that a console window opened by a double click stays
// open until the user has read it. What was printed comes first.
void pauseConsole();

// Whether the console window is the program's own: on Windows, one that
// Explorer opened for it (a double click, or a file dropped on it), which
// closes when it ends. Never on POSIX, where a program has no window.
bool consoleIsOwn();

// Writes the programs' text (bytes on POSIX, UTF-8 on Windows) to standard
// output or error. On Windows a console shows it as it is, whatever its code
// page; a pipe or file gets it in the ANSI code page, with a character the
// page lacks written as '?' rather than as a "nearest" one.
void writeText(std::FILE* stream, const std::string& text);

#endif  // LOGO_WRAP_SYSTEM_CONSOLE_H_
