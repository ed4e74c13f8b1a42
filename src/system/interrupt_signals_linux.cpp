#include "system/interrupt_cleanup.h"

// Linux's own beside POSIX's: a power failure, asynchronous I/O, a
// coprocessor's stack fault, and the real-time signals, all ending a
// program by default.
const std::vector<int>& interruptSignals() {
  static const std::vector<int> signals = [] {
    std::vector<int> all = {SIGINT,  SIGQUIT,   SIGTERM, SIGHUP, SIGALRM, SIGUSR1,  SIGUSR2,
                            SIGXCPU, SIGVTALRM, SIGPROF, SIGIO,  SIGPWR,  SIGSTKFLT};
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) all.push_back(signal);
    return all;
  }();
  return signals;
}
