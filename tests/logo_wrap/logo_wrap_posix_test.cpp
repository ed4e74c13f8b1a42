// logo_wrap run as a user runs it: what only POSIX systems can set up.
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>

#include "core/bin_image.h"
#include "logo_wrap_fixture.h"
#include "posix_files.h"

namespace {

// Whether anything opens a file (a link's target) while it is watched.
class OpenWatch {
 public:
  explicit OpenWatch(const fs::path& path) : fd_(inotify_init1(IN_NONBLOCK)) {
    EXPECT_GE(inotify_add_watch(fd_, path.c_str(), IN_OPEN), 0);
  }
  ~OpenWatch() { close(fd_); }
  bool opened() const {
    char events[4096];
    return read(fd_, events, sizeof events) > 0;
  }

 private:
  int fd_;
};

// Opened, a FIFO would wake a writer waiting at its other end.
TEST_F(LogoWrapTest, ReportsAFifoAsMissingWithoutWaitingOnIt) {
  ASSERT_EQ(mkfifo(beside("logo.bin").c_str(), 0644), 0);
  const OpenWatch watch(beside("logo.bin"));
  const RunResult result = run();
  EXPECT_FALSE(watch.opened());
  EXPECT_EQ(result.output, failureOutput(composedInputPath() + "\n", message(WrapOutcome::kInputNotFound)));
  EXPECT_EQ(result.exitStatus, 1);
}

std::string checksumLine(std::size_t bytesOfOne) {
  char hex[32];
  std::snprintf(hex, sizeof hex, "%zx", bytesOfOne);
  return std::string("sum of data read = 0x") + hex + "\n";
}

struct RefusedOutputCase {
  const char* name;
  std::size_t inputSize;
  std::function<void(const fs::path& output)> make;
  bool special = true;  // not even to be opened: a serial port may reset its board
};

// Writing into a FIFO would hang or lose the image; into a device, lose it;
// into a link to logo.bin, destroy the input.
TEST_F(LogoWrapTest, RefusesAnOutputThatIsNoRegularFileOrIsTheInput) {
  const auto fifo = [](const fs::path& output) { mkfifo(output.c_str(), 0666); };
  const RefusedOutputCase cases[] = {
      {"FIFO, 3 bytes", 3, fifo},
      {"FIFO, 1 MiB", 1 << 20, fifo},
      {"device", 3, [](const fs::path& output) { fs::create_symlink("/dev/full", output); }},
      {"socket", 3, [](const fs::path& output) { EXPECT_TRUE(makeSocket(output)); }},
      {"link to logo.bin", 3, [](const fs::path& output) { fs::create_symlink("logo.bin", output); }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes input(c.inputSize, '\x01');
    writeFile(beside("logo.bin"), input);
    c.make(beside("logo_pelk.bin"));
    std::optional<OpenWatch> watch;
    if (c.special) watch.emplace(beside("logo_pelk.bin"));
    const RunResult result = run();
    EXPECT_FALSE(watch && watch->opened());
    EXPECT_EQ(result.output, failureOutput(checksumLine(c.inputSize), message(WrapOutcome::kOpenFailed)));
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(readFile(beside("logo.bin")), input);
    expectProgramFolderHolds({"logo.bin", "logo_pelk.bin"});
    fs::remove(beside("logo_pelk.bin"));
  }
}

// Where the image would have gone.
enum class Target { kBeside, kLinkedElsewhere, kLinkedOntoAFullDisk, kInALockedFolder };

struct PartialImageCase {
  const char* name;
  const char* limit;  // run by the shell before the program
  const char* fault;  // injected, see fault_injection.cpp
  Target target;
  std::string message;  // the last message, when no signal ends the run
  int signal;
};

// A failed write or close, or an interrupt during the write: nothing of the
// image may survive, wherever its bytes went. A name the folder does not
// let go of stays, emptied.
TEST_F(LogoWrapTest, NeverLeavesAPartialImage) {
  const PartialImageCase cases[] = {
      {"file-size limit", "ulimit -f 64", "", Target::kBeside, message(WrapOutcome::kWriteFailed), 0},
      {"file-size limit, link elsewhere", "ulimit -f 64", "", Target::kLinkedElsewhere,
       message(WrapOutcome::kWriteFailed), 0},
      {"file-size limit, locked folder", "ulimit -f 64", "", Target::kInALockedFolder,
       message(WrapOutcome::kWriteFailed), 0},
      {"full disk, link elsewhere", "", "", Target::kLinkedOntoAFullDisk, message(WrapOutcome::kWriteFailed),
       0},
      {"close fails", "", "close", Target::kBeside, message(WrapOutcome::kCloseFailed), 0},
      {"close fails, locked folder", "", "close", Target::kInALockedFolder,
       message(WrapOutcome::kCloseFailed), 0},
      {"SIGINT", "", "2", Target::kBeside, "", SIGINT},
      {"SIGTERM, link elsewhere", "", "15", Target::kLinkedElsewhere, "", SIGTERM},
      {"SIGHUP, locked folder", "", "1", Target::kInALockedFolder, "", SIGHUP},
      {"SIGQUIT", "", "3", Target::kBeside, "", SIGQUIT},
  };
  const Bytes input(1 << 20, '\x01');
  writeFile(beside("logo.bin"), input);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (*c.fault && kSanitized) {
      std::printf("skipped %s: the sanitizers' own fwrite and fclose come before an injected one\n", c.name);
      continue;
    }
    FullDisk fullDisk(root_ / "full");
    if (c.target == Target::kLinkedOntoAFullDisk && !fullDisk.mounted()) {
      std::printf("skipped %s: mounting a tmpfs needs root\n", c.name);
      continue;
    }
    const fs::path elsewhere =
        root_ / (c.target == Target::kLinkedOntoAFullDisk ? "full" : "") / "elsewhere.bin";
    const fs::path written = c.target == Target::kBeside || c.target == Target::kInALockedFolder
                                 ? beside("logo_pelk.bin")
                                 : elsewhere;
    writeFile(written, "an older image");
    if (written == elsewhere) fs::create_symlink(elsewhere, beside("logo_pelk.bin"));
    if (c.target == Target::kInALockedFolder)
      fs::permissions(program_.parent_path(), fs::perms::owner_write, fs::perm_options::remove);
    std::vector<std::string> environment;
    if (*c.fault)
      environment = {"LD_PRELOAD=" LOGO_WRAP_FAULT_INJECTION, std::string("LOGO_WRAP_FAULT=") + c.fault};

    const RunResult result =
        runAs("/bin/sh", {"-c", std::string(c.limit) + "\nexec \"$0\"", program_.string()}, environment);
    if (c.signal) {
      EXPECT_EQ(result.signal, c.signal) << result.output;
    } else {
      EXPECT_EQ(result.output, failureOutput(checksumLine(input.size()), c.message));
      EXPECT_EQ(result.exitStatus, 1);
    }
    fs::permissions(program_.parent_path(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(readFile(beside("logo.bin")), input);
    if (c.target == Target::kInALockedFolder) {
      EXPECT_EQ(fs::file_size(written), 0u);
      expectProgramFolderHolds({"logo.bin", "logo_pelk.bin"});
    } else {
      expectProgramFolderHolds({"logo.bin"});
    }
    if (written == elsewhere) {
      EXPECT_EQ(fs::file_size(elsewhere), 0u);
    }
    fs::remove(beside("logo_pelk.bin"));
    fs::remove(elsewhere);
  }
}

// No handler sees SIGKILL: the header, written last, is missing from what
// it leaves, so that is no image.
TEST_F(LogoWrapTest, LeavesNoHeaderWhenKilledDuringTheWrite) {
  if (kSanitized) GTEST_SKIP() << "the sanitizers' own fwrite comes before an injected one";
  writeFile(beside("logo.bin"), Bytes(1 << 20, '\x01'));
  const RunResult result = run({}, {"LD_PRELOAD=" LOGO_WRAP_FAULT_INJECTION, "LOGO_WRAP_FAULT=9"});
  EXPECT_EQ(result.signal, SIGKILL);
  EXPECT_EQ(readFile(beside("logo_pelk.bin")).substr(0, kHeaderSize), Bytes(kHeaderSize, '\0'));
}

struct LateSignalCase {
  const char* name;
  const char* shell;  // run before the program
  const char* fault;  // injected, see fault_injection.cpp
  int endedBy;        // 0 when the run goes on to its end
};

// A signal once the image is written, or one ignored since the start
// (nohup, a background job): the whole image stays.
TEST_F(LogoWrapTest, KeepsAWholeImageThroughASignalAfterTheWriteOrOneIgnored) {
  if (kSanitized) GTEST_SKIP() << "the sanitizers' own fwrite and fclose come before an injected one";
  const LateSignalCase cases[] = {
      {"SIGTERM after the write", "", "15@close", SIGTERM},
      {"SIGINT after the write", "", "2@close", SIGINT},
      {"SIGHUP during the write, under nohup", "trap '' HUP", "1", 0},
      {"SIGHUP after the write, under nohup", "trap '' HUP", "1@close", 0},
  };
  const Bytes input(1 << 20, '\x01');
  writeFile(beside("logo.bin"), input);
  Bytes image(kHeaderSize, '\0');
  encodeHeader(makeLogoHeader(1 << 20, 1 << 20), reinterpret_cast<unsigned char*>(image.data()));
  image += input;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const RunResult result =
        runAs("/bin/sh", {"-c", std::string(c.shell) + "\nexec \"$0\"", program_.string()},
              {"LD_PRELOAD=" LOGO_WRAP_FAULT_INJECTION, std::string("LOGO_WRAP_FAULT=") + c.fault});
    EXPECT_EQ(result.signal, c.endedBy);
    if (!c.endedBy) {
      EXPECT_EQ(result.output, consoleText(separatorReport() + checksumLine(1 << 20)) + pausePrompt());
    }
    EXPECT_TRUE(readFile(beside("logo_pelk.bin")) == image);
    fs::remove(beside("logo_pelk.bin"));
  }
}

// Standard output is a pipe whose reader is gone before anything is
// written to it: a FIFO whose only reader closed.
TEST_F(LogoWrapTest, KeepsGoingWhenTheReaderOfItsOutputHasGone) {
  writeFile(beside("logo.bin"), fromHex(kWorkedExampleInput));
  const RunResult result =
      runAs("/bin/sh",
            {"-c", "mkfifo \"$1\" && exec 5<>\"$1\" 6>\"$1\" 5<&- && \"$0\" >&6; echo \"status $?\"",
             program_.string(), (root_ / "pipe").string()},
            {});
  EXPECT_EQ(result.output, "status 0\n");
  EXPECT_EQ(readFile(beside("logo_pelk.bin")), fromHex(kWorkedExampleImage));
}

// A sysfs file claims a page of size but holds a few bytes; a /proc file
// claims none but holds some. Either way the image would not be the file.
TEST_F(LogoWrapTest, ReportsAFileThatHoldsOtherThanItsSize) {
  for (const fs::path misreported : {"/sys/devices/system/cpu/online", "/proc/self/cmdline"}) {
    SCOPED_TRACE(misreported);
    if (!fs::exists(misreported) || fs::file_size(misreported) == readFile(misreported).size()) {
      std::printf("skipped %s: no such file, or its size is right\n", misreported.c_str());
      continue;
    }
    fs::create_symlink(misreported, beside("logo.bin"));
    const RunResult result = run();
    EXPECT_EQ(result.output, failureOutput("", message(WrapOutcome::kReadFailed)));
    EXPECT_EQ(result.exitStatus, 1);
    expectProgramFolderHolds({"logo.bin"});
    fs::remove(beside("logo.bin"));
  }
}

// The largest input the format takes, one byte below the refused one: under
// a memory limit the message shows it was accepted and then not held.
TEST_F(LogoWrapTest, ReportsMemoryItCannotHave) {
  if (kSanitized) GTEST_SKIP() << "sanitizers reserve more address space than the limit allows";
  writeFile(beside("logo.bin"), "");
  fs::resize_file(beside("logo.bin"), (std::uintmax_t{1} << 31) - 28);
  const RunResult result = runAs("/bin/sh", {"-c", "ulimit -v 262144 && exec \"$0\"", program_.string()}, {});
  EXPECT_EQ(result.output, failureOutput("", message(WrapOutcome::kOutOfMemory)));
  EXPECT_EQ(result.exitStatus, 1);
  expectProgramFolderHolds({"logo.bin"});
}

// A backslash is an ordinary character in POSIX names, yet it still ends the
// directory part: the files are named after it, in the folder above.
TEST_F(LogoWrapTest, CutsAtABackslashInAFolderName) {
  moveProgramTo(root_ / "app" / "board\\rev2");
  const fs::path input = root_ / "app" / "board\\logo.bin";
  writeFile(input, fromHex(kWorkedExampleInput));
  const RunResult result = run();
  EXPECT_EQ(result.output, consoleText(separatorReport() + "sum of data read = 0x2\n") + pausePrompt());
  EXPECT_NE(separatorReport().find("found at position"), std::string::npos);
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(readFile(root_ / "app" / "board\\logo_pelk.bin"), fromHex(kWorkedExampleImage));
}

struct LocaleCase {
  const char* name;
  std::string folder;
  std::string locale;
  bool wraps;
};

// Paths are bytes in the environment's encoding and must come back the same.
TEST_F(LogoWrapTest, UsesProgramPathsInTheEnvironmentsEncoding) {
  const LocaleCase cases[] = {
      {"UTF-8 folder", "\xE6\xA0\x87\xE5\xBF\x97", "LC_ALL=C.UTF-8", true},
      {"plain folder, C locale", "plain", "LC_ALL=C", true},
      {"bytes that are no UTF-8", "bad\xFF", "LC_ALL=C.UTF-8", false},
      // GBK's D5 5C ends the folder name: a byte search would take it for a backslash.
      {"GBK folder ending in a 0x5C trail byte", "\xB1\xEA\xD5\x5C", "LC_ALL=zh_CN.GBK", true},
      // glibc's Big5 reads A2 CC as the character it writes A4 51.
      {"Big5 folder that would come back as another", "\xA2\xCC", "LC_ALL=zh_TW.BIG5", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    moveProgramTo(root_ / c.folder);
    writeFile(beside("logo.bin"), fromHex(kWorkedExampleInput));
    const RunResult result = run({}, {c.locale, "LOCPATH=" + kTestLocales});
    if (c.wraps) {
      EXPECT_EQ(result.output, "Result:\t\\ not found\nsum of data read = 0x2\n" + pausePrompt());
      EXPECT_EQ(result.exitStatus, 0) << result.output;
      EXPECT_EQ(readFile(beside("logo_pelk.bin")), fromHex(kWorkedExampleImage));
    } else {
      EXPECT_EQ(result.output, message(WrapOutcome::kPathUnusable) + "\n" + pausePrompt());
      EXPECT_EQ(result.exitStatus, 1);
      expectProgramFolderHolds({"logo.bin"});
    }
  }
}

// Started by bare name through PATH, the program cannot know its folder and
// works in the current one.
TEST_F(LogoWrapTest, StartedThroughPathUsesTheCurrentFolder) {
  writeFile(workDir_ / "logo.bin", fromHex(kWorkedExampleInput));
  const RunResult result = runAs("logo_wrap", {}, {"PATH=" + program_.parent_path().string()});
  EXPECT_EQ(result.output, "Result:\t\\ not found\nsum of data read = 0x2\n" + pausePrompt());
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(namesIn(workDir_), (std::set<std::string>{"logo.bin", "logo_pelk.bin"}));
  expectProgramFolderHolds({});
}

}  // namespace
