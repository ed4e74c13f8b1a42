#include "write_signals.h"

void reportWriteErrorsInsteadOfDying() {}
