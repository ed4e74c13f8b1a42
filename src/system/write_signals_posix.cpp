#include <csignal>

#include "system/write_signals.h"

void reportWriteErrorsInsteadOfDying() {
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);
}
