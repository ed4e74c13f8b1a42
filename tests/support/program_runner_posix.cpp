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

// The build tree's locales and fault-injection library, where the
// unprivileged user can read them: the tree may lie in root's own home,
// which nobody else may enter. Copied once per test program, removed at
// its end.
class SharedCopies {
 public:
  ~SharedCopies() {
    std::error_code ignored;
    if (!folder_.empty()) fs::remove_all(folder_, ignored);
  }
  std::string of(const std::string& assignment) {
    for (const std::string name : {"LOCPATH=", "LD_PRELOAD="}) {
      if (assignment.rfind(name, 0) != 0) continue;
      const fs::path original = assignment.substr(name.size());
      if (folder_.empty()) {
        folder_ = fs::temp_directory_path() / ("logo_wrap_test_shared_" + std::to_string(getpid()));
        fs::create_directories(folder_);
      }
      const fs::path copy = folder_ / original.filename();
      if (!fs::exists(copy)) fs::copy(original, copy, fs::copy_options::recursive);
      for (const fs::path& path : {folder_, copy}) fs::permissions(path, fs::perms::all, fs::perm_options::add);
      for (const auto& entry : fs::recursive_directory_iterator(folder_))
        fs::permissions(entry.path(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read |
                                          (entry.is_directory() ? fs::perms::all : fs::perms::none),
                        fs::perm_options::add);
      return name + copy.string();
    }
    return assignment;
  }

 private:
  fs::path folder_;
};

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
  static SharedCopies shared;
  for (const auto& assignment : runEnvironment(request.environment))
    command += " " + shellQuoted(geteuid() == 0 ? shared.of(assignment) : assignment);
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
