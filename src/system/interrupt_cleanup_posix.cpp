#include <iterator>
#include <type_traits>

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

InterruptCleanup::InterruptCleanup(void (*cleanup)()) {
  static_assert(std::size(kInterrupts) == std::extent_v<decltype(saved_)>);
  activeCleanup = cleanup;
  struct sigaction action = {};
  action.sa_handler = endAsInterrupted;
  // One interrupt at a time, so the cleanup runs once.
  sigemptyset(&action.sa_mask);
  for (int signal : kInterrupts) sigaddset(&action.sa_mask, signal);
  for (std::size_t i = 0; i < std::size(kInterrupts); ++i) {
    sigaction(kInterrupts[i], nullptr, &saved_[i]);
    if (saved_[i].sa_handler != SIG_IGN) sigaction(kInterrupts[i], &action, nullptr);
  }
}

InterruptCleanup::~InterruptCleanup() {
  for (std::size_t i = 0; i < std::size(kInterrupts); ++i) sigaction(kInterrupts[i], &saved_[i], nullptr);
  activeCleanup = nullptr;
}
