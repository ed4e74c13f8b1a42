// Runs a built program the way a user would: from another working directory,
// standard input not a terminal, standard output read through a pipe.
#ifndef LOGO_WRAP_TESTS_PROGRAM_RUNNER_H_
#define LOGO_WRAP_TESTS_PROGRAM_RUNNER_H_

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

struct RunRequest {
  std::string program;  // as typed: a path, or a bare name found through PATH
  std::vector<std::string> args;
  fs::path workDir;
  // NAME=value pairs added for the run. LANGUAGE=en is added unless it is
  // given: the companions then speak English whatever the machine's locale
  // is, as a script that sets it has them do.
  std::vector<std::string> environment;
  // Everything the run may touch; handed to an unprivileged user when the
  // tests run as root, since root would ignore file modes.
  fs::path ownedTree;
  bool withStandardError = false;   // append standard error to the output
  bool endsWithPause = false;       // the program waits for a key before it ends
  fs::path standardErrorFile = {};  // where standard error goes instead, if set
};

struct RunResult {
  std::string output;   // standard output, byte for byte
  int exitStatus = -1;  // -1 when a signal ended the program
  int signal = 0;       // the signal that ended it, if one did
  std::string errors;   // standard error, when it was asked for apart
};

RunResult runProgram(const RunRequest& request);

// The environment a run gets: `environment`, LANGUAGE=en unless it names LANGUAGE.
std::vector<std::string> runEnvironment(const std::vector<std::string>& environment);

// The folder holding this test program and the programs built with it.
fs::path builtProgramsDir();

// Where the build put the locales the tests run programs in (for LOCPATH).
inline const std::string kTestLocales = LOGO_WRAP_TEST_LOCALES;

// File name suffix of executables ("" or ".exe").
extern const char kExecutableSuffix[];

// How a printed line feed reaches the pipe.
extern const char kLineEnd[];

// `text` as the platform's console writes it, line ends translated.
std::string consoleText(const std::string& text);

using Bytes = std::string;

std::string readAll(std::FILE* stream);
Bytes readFile(const fs::path& path);
void writeFile(const fs::path& path, const Bytes& bytes);

// What the pause leaves at the end of standard output. On Windows this is
// the command interpreter's own prompt, which differs by language and
// version, so it is asked for rather than assumed.
const std::string& pausePrompt();

// A path as the programs see it in narrow text: the bytes themselves on
// POSIX, the ANSI code page's bytes on Windows.
std::string consoleBytes(const fs::path::string_type& native);

#endif  // LOGO_WRAP_TESTS_PROGRAM_RUNNER_H_
