// Interrupts that must not leave a mess behind: a partial image, a terminal
// without echo. POSIX only; Windows has no such signals.
#ifndef LOGO_WRAP_SYSTEM_INTERRUPT_CLEANUP_H_
#define LOGO_WRAP_SYSTEM_INTERRUPT_CLEANUP_H_

#include <signal.h>

#include <vector>

// The signals whose default action ends the program, sent from outside:
// all but SIGKILL, which nothing can catch, the two taken as write errors
// (SIGPIPE, SIGXFSZ), and those that report the program's own fault
// (SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGTRAP, SIGSYS, SIGABRT), which keep
// their default and the sanitizers' reports. Real-time ones included, where
// the system has them; their numbers are known only at run time.
const std::vector<int>& interruptSignals();

// While it lives, each of interruptSignals() runs `cleanup`, then ends the
// process as the signal would have. `cleanup` runs in a signal handler,
// so it may call only async-signal-safe functions. A signal the process was
// started with ignored (nohup, a background job) stays ignored.
class InterruptCleanup {
 public:
  explicit InterruptCleanup(void (*cleanup)());
  ~InterruptCleanup();
  InterruptCleanup(const InterruptCleanup&) = delete;
  InterruptCleanup& operator=(const InterruptCleanup&) = delete;

 private:
  std::vector<struct sigaction> saved_;  // one for each of interruptSignals()
};

#endif  // LOGO_WRAP_SYSTEM_INTERRUPT_CLEANUP_H_
