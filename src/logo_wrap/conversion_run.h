// One run of the tool: wrap logo.bin beside the program into logo_pelk.bin.
#ifndef LOGO_WRAP_LOGO_WRAP_CONVERSION_RUN_H_
#define LOGO_WRAP_LOGO_WRAP_CONVERSION_RUN_H_

#include "core/sibling_path.h"
#include "words/wrap_messages.h"

// Prints the separator report and the checksum line as it gets to them, and
// returns how the run ended; `path` then holds the last path composed.
WrapOutcome wrapLogoBesideProgram(const wchar_t* programPath, SiblingPath& path);

// Only argv[0], the program's own path, is used. Prints the message for a
// failure, pauses for a key, and returns the exit status: 0 when
// logo_pelk.bin was written in full, 1 after any failure.
int runConversion(int argc, wchar_t* argv[]);

#endif  // LOGO_WRAP_LOGO_WRAP_CONVERSION_RUN_H_
