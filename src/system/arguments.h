// The command line as the programs' text: the bytes as given on POSIX; on
// Windows the wide command line in UTF-8, so that a name reaches the
// system exactly as typed, not as the ANSI code page's "nearest" one.
#ifndef LOGO_WRAP_SYSTEM_ARGUMENTS_H_
#define LOGO_WRAP_SYSTEM_ARGUMENTS_H_

#include <optional>
#include <string>
#include <vector>

struct Arguments {
  std::vector<std::string> values;        // values[0] names the program
  std::optional<std::size_t> unreadable;  // the first argument that is no valid text
};

Arguments programArguments(int argc, char** argv);

#endif  // LOGO_WRAP_SYSTEM_ARGUMENTS_H_
