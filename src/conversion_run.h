// One run of the tool: wrap logo.bin beside the program into logo_pelk.bin.
#ifndef LOGO_WRAP_CONVERSION_RUN_H_
#define LOGO_WRAP_CONVERSION_RUN_H_

// Only argv[0], the program's own path, is used. Returns the exit status:
// 0 when logo_pelk.bin was written in full, 1 after any failure. Always
// pauses for a key before returning.
int runConversion(int argc, wchar_t* argv[]);

#endif  // LOGO_WRAP_CONVERSION_RUN_H_
