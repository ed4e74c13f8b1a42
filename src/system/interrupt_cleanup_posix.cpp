#include "system/interrupt_cleanup.h"

namespace {

void (*volatile activeCleanup)() = nullptr;

void endAsInterrupted(int signal) {
  if (activeCleanup) activeCleanup();
  // The default action, unblocked, raised again: the parent sees the same
  // death the signal would have caused without us.
  struct sigaction defaultAction = {};
  defaultAction.sa_handler = SIG_DFL;
  sigaction(signal, &defaultAction, nullptr);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal);
  sigprocmask(SIG_UNBLOCK, &only, nullptr);
  raise(signal);
}

}  // namespace

InterruptCleanup::InterruptCleanup(void (*cleanup)()) : saved_(interruptSignals().size()) {
  const std::vector<int>& signals = interruptSignals();
  activeCleanup = cleanup;
  struct sigaction action = {};
  action.sa_handler = endAsInterrupted;
  // One interrupt at a time, so the cleanup runs once.
  sigemptyset(&action.sa_mask);
  for (int signal : signals) sigaddset(&action.sa_mask, signal);
  for (std::size_t i = 0; i < signals.size(); ++i) {
    sigaction(signals[i], nullptr, &saved_[i]);
    if (saved_[i].sa_handler != SIG_IGN) sigaction(signals[i], &action, nullptr);
  }
}

InterruptCleanup::~InterruptCleanup() {
  const std::vector<int>& signals = interruptSignals();
  for (std::size_t i = 0; i < signals.size(); ++i) sigaction(signals[i], &saved_[i], nullptr);
  activeCleanup = nullptr;
}
