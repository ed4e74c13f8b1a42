#include <termios.h>
#include <unistd.h>

#include <cstdio>

#include "system/console.h"
#include "system/interrupt_cleanup.h"

namespace {

termios savedTerminal;

void restoreTerminal() { tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal); }

// One key press, without echo and without waiting for Enter. Ctrl-C and
// Ctrl-\ still interrupt (ISIG stays on), and no interrupt leaves the
// terminal without echo for the shell.
void waitForKey() {
  if (tcgetattr(STDIN_FILENO, &savedTerminal) != 0) return;
  const InterruptCleanup restoreOnInterrupt(restoreTerminal);
  termios raw = savedTerminal;
  raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  tcsetattr(STDIN_FILENO, TCSANOW, &raw);
  char key;
  (void)!read(STDIN_FILENO, &key, 1);
  // Flush drops the rest of a multi-byte key (arrows, function keys).
  tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedTerminal);
}

}  // namespace

// The shell has no PAUSE command; this stands in for it. Without a terminal
// there is nobody to press a key, so it does not wait.
void pauseConsole() {
  std::fflush(stdout);
  std::fputs("Press any key to continue . . . ", stdout);
  std::fflush(stdout);
  if (isatty(STDIN_FILENO)) waitForKey();
  std::fputs("\n", stdout);
  std::fflush(stdout);
}

bool consoleIsOwn() { return false; }

void writeText(std::FILE* stream, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stream);
}
