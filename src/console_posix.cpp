// POSIX entry and pause.
#include <termios.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "console.h"
#include "conversion_run.h"
#include "interrupt_cleanup.h"
#include "write_signals.h"

namespace {

// False when the bytes are not valid in the current locale's encoding, or
// do not come back from wide characters as they were (glibc's Big5 takes a
// few characters for others): such a path would name another folder.
bool toWide(const char* narrow, std::wstring& wide) {
  constexpr std::size_t kInvalid = static_cast<std::size_t>(-1);
  const std::size_t length = std::mbstowcs(nullptr, narrow, 0);
  if (length == kInvalid) return false;
  wide.assign(length, L'\0');
  std::mbstowcs(wide.data(), narrow, length);
  const std::size_t backLength = std::wcstombs(nullptr, wide.c_str(), 0);
  if (backLength == kInvalid) return false;
  std::string back(backLength, '\0');
  std::wcstombs(back.data(), wide.c_str(), backLength);
  return back == narrow;
}

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
  std::fputs("Press any key to continue . . . ", stdout);
  std::fflush(stdout);
  if (isatty(STDIN_FILENO)) waitForKey();
  std::fputs("\n", stdout);
  std::fflush(stdout);
}

int main(int argc, char* argv[]) {
  // A reader of standard output that has gone must not end the run: the
  // exit status still tells whether the image was written. A file-size
  // limit makes the write fail, with its message and cleanup.
  reportWriteErrorsInsteadOfDying();
  // Paths arrive as bytes in the environment's encoding. Taking it for the
  // character type alone lets them round-trip through wide characters;
  // nothing printed depends on it.
  std::setlocale(LC_CTYPE, "");
  // An argument that is not valid text arrives as a null pointer, which the
  // run reports when it is the program path.
  std::vector<std::wstring> wideArgs(static_cast<std::size_t>(argc));
  std::vector<wchar_t*> wideArgv;
  for (std::size_t i = 0; i < wideArgs.size(); ++i)
    wideArgv.push_back(toWide(argv[i], wideArgs[i]) ? wideArgs[i].data() : nullptr);
  wideArgv.push_back(nullptr);
  return runConversion(argc, wideArgv.data());
}
