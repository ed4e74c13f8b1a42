// Signals that would end a program in the middle of writing, without a word.
#ifndef LOGO_WRAP_SYSTEM_WRITE_SIGNALS_H_
#define LOGO_WRAP_SYSTEM_WRITE_SIGNALS_H_

// SIGPIPE (the reader of standard output has gone) and SIGXFSZ (a file-size
// limit) are ignored, so that they become write errors the program reports
// and cleans up after. Windows has neither.
void reportWriteErrorsInsteadOfDying();

#endif  // LOGO_WRAP_SYSTEM_WRITE_SIGNALS_H_
