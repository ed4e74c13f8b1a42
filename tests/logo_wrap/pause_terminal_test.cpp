// The pause on a terminal, driven through a pseudo-terminal as a user at a
// console would: it waits for one key with echo and line mode off, and
// leaves the terminal as it found it, also when interrupted.
#include <pty.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "logo_wrap_fixture.h"

namespace {

constexpr tcflag_t kModes = ECHO | ICANON | ISIG;

// Polls `done` for up to 20 s, so a program that never reacts fails the
// test instead of hanging it.
template <typename Condition>
bool within20Seconds(Condition done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  for (; std::chrono::steady_clock::now() < deadline;
       std::this_thread::sleep_for(std::chrono::milliseconds(5)))
    if (done()) return true;
  return false;
}

tcflag_t terminalModes(int terminal) {
  termios attributes;
  return tcgetattr(terminal, &attributes) == 0 ? attributes.c_lflag & kModes : 0;
}

struct PauseCase {
  const char* name;
  std::string typed;  // at the prompt
  int sent;           // or a signal sent to the program
  int endedBy;        // the signal that ends it, 0 for an exit
};

TEST_F(LogoWrapTest, PauseOnATerminalWaitsForAKeyAndRestoresTheTerminal) {
  writeFile(beside("logo.bin"), fromHex(kWorkedExampleInput));
  const PauseCase cases[] = {
      {"a key", "x", 0, 0},
      {"Ctrl-C", "\x03", 0, SIGINT},
      {"Ctrl-\\", "\x1C", 0, SIGQUIT},
      {"SIGTERM", "", SIGTERM, SIGTERM},
      {"SIGHUP", "", SIGHUP, SIGHUP},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    int terminal;
    const pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      const rlimit noCoreFile = {0, 0};
      setrlimit(RLIMIT_CORE, &noCoreFile);
      execl(program_.c_str(), program_.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    const tcflag_t before = terminalModes(terminal);
    int status = 0;
    const auto ended = [&] { return waitpid(pid, &status, WNOHANG) == pid; };

    EXPECT_TRUE(within20Seconds([&] { return terminalModes(terminal) == ISIG; })) << "never waited for a key";
    EXPECT_FALSE(ended()) << "ended without a key";
    if (c.sent)
      kill(pid, c.sent);
    else
      EXPECT_EQ(write(terminal, c.typed.data(), c.typed.size()), static_cast<ssize_t>(c.typed.size()));
    if (!within20Seconds(ended)) {
      ADD_FAILURE() << "still waiting";
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
    }
    EXPECT_EQ(WIFSIGNALED(status) ? WTERMSIG(status) : 0, c.endedBy);
    EXPECT_EQ(WIFEXITED(status) && WEXITSTATUS(status) == 0, c.endedBy == 0);
    EXPECT_EQ(terminalModes(terminal), before);
    close(terminal);
  }
}

}  // namespace
