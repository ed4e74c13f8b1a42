// What the console does differently per platform.
#ifndef LOGO_WRAP_SYSTEM_CONSOLE_H_
#define LOGO_WRAP_SYSTEM_CONSOLE_H_

// Waits for a key so that a console window opened by a double click stays
// open until the user has read it. Standard output is flushed by the caller.
void pauseConsole();

#endif  // LOGO_WRAP_SYSTEM_CONSOLE_H_
