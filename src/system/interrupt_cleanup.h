// Interrupts that must not leave a mess behind: a partial image, a terminal
// without echo. POSIX only; Windows has no such signals.
#ifndef LOGO_WRAP_SYSTEM_INTERRUPT_CLEANUP_H_
#define LOGO_WRAP_SYSTEM_INTERRUPT_CLEANUP_H_

#include <signal.h>

#include <iterator>

// The signals that end a program from outside, other than the two it takes
// as write errors (SIGPIPE, SIGXFSZ) and the one nothing can catch.
inline constexpr int kInterrupts[] = {SIGINT,  SIGQUIT, SIGTERM, SIGHUP,    SIGALRM,
                                      SIGUSR1, SIGUSR2, SIGXCPU, SIGVTALRM, SIGPROF};

// While it lives, each of kInterrupts runs `cleanup`, then ends the process
// as the signal would have. `cleanup` runs in a signal handler,
// so it may call only async-signal-safe functions. A signal the process was
// started with ignored (nohup, a background job) stays ignored.
class InterruptCleanup {
 public:
  explicit InterruptCleanup(void (*cleanup)());
  ~InterruptCleanup();
  InterruptCleanup(const InterruptCleanup&) = delete;
  InterruptCleanup& operator=(const InterruptCleanup&) = delete;

 private:
  struct sigaction saved_[std::size(kInterrupts)];
};

#endif  // LOGO_WRAP_SYSTEM_INTERRUPT_CLEANUP_H_
