// Interrupts that must not leave a mess behind: a partial image, a terminal
// without echo. POSIX only; Windows has no such signals.
#ifndef LOGO_WRAP_SYSTEM_INTERRUPT_CLEANUP_H_
#define LOGO_WRAP_SYSTEM_INTERRUPT_CLEANUP_H_

#include <signal.h>

// While it lives, SIGINT, SIGQUIT, SIGTERM and SIGHUP run `cleanup`, then end
// the process as the signal would have. `cleanup` runs in a signal handler,
// so it may call only async-signal-safe functions. A signal the process was
// started with ignored (nohup, a background job) stays ignored.
class InterruptCleanup {
 public:
  explicit InterruptCleanup(void (*cleanup)());
  ~InterruptCleanup();
  InterruptCleanup(const InterruptCleanup&) = delete;
  InterruptCleanup& operator=(const InterruptCleanup&) = delete;

 private:
  struct sigaction saved_[4];
};

#endif  // LOGO_WRAP_SYSTEM_INTERRUPT_CLEANUP_H_
