#include "system/interrupt_cleanup.h"

// Those every POSIX system has.
const std::vector<int>& interruptSignals() {
  static const std::vector<int> signals = {SIGINT,  SIGQUIT, SIGTERM, SIGHUP,    SIGALRM,
                                           SIGUSR1, SIGUSR2, SIGXCPU, SIGVTALRM, SIGPROF};
  return signals;
}
