#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

#include "program_runner.h"

const char kExecutableSuffix[] = "";
const char kLineEnd[] = "\n";

namespace {

constexpr uid_t kUnprivilegedId = 65534;  // nobody / nogroup
constexpr int kTimedOut = 124;            // timeout's status

std::string shellQuoted(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

void giveToUnprivilegedUser(const fs::path& tree) {
  auto give = [](const fs::path& path) {
    if (lchown(path.c_str(), kUnprivilegedId, kUnprivilegedId) != 0)
      throw std::runtime_error("cannot chown " + path.string());
  };
  give(tree);
  for (const auto& entry : fs::recursive_directory_iterator(tree)) give(entry.path());
}

}  // namespace

RunResult runProgram(const RunRequest& request) {
  // A program that waits on a FIFO or a terminal must fail its test, not
  // hang it: timeout ends it (status 124) and passes on any other death.
  std::string command = "cd " + shellQuoted(request.workDir.string()) + " && exec timeout -k 5 60 ";
  if (geteuid() == 0) {
    giveToUnprivilegedUser(request.ownedTree);
    command += "setpriv --reuid=65534 --regid=65534 --clear-groups ";
  }
  command += "env";
  for (const auto& assignment : runEnvironment(request.environment)) command += " " + shellQuoted(assignment);
  command += " " + shellQuoted(request.program);
  for (const auto& arg : request.args) command += " " + shellQuoted(arg);
  command += " </dev/null";
  if (request.withStandardError) command += " 2>&1";
  if (!request.standardErrorFile.empty()) command += " 2>" + shellQuoted(request.standardErrorFile.string());

  RunResult result;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) throw std::runtime_error("cannot start: " + command);
  result.output = readAll(pipe);
  const int status = pclose(pipe);
  result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  if (result.exitStatus == kTimedOut) result.output += "\n[still running after the time limit]";
  if (!request.standardErrorFile.empty()) result.errors = readFile(request.standardErrorFile);
  return result;
}

const std::string& pausePrompt() {
  static const std::string prompt = "Press any key to continue . . . \n";
  return prompt;
}

std::string consoleBytes(const fs::path::string_type& native) { return native; }

fs::path builtProgramsDir() { return fs::read_symlink("/proc/self/exe").parent_path(); }
