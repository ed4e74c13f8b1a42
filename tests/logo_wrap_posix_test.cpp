// logo_wrap run as a user runs it: what only POSIX systems can set up.
#include <sys/stat.h>

#include "logo_wrap_fixture.h"

namespace {

TEST_F(LogoWrapTest, ReportsAFifoAsMissingWithoutWaitingOnIt) {
  ASSERT_EQ(mkfifo(beside("logo.bin").c_str(), 0644), 0);
  const RunResult result = run();
  EXPECT_EQ(result.output, failureOutput(composedInputPath() + "\n", message::kInputNotFound));
  EXPECT_EQ(result.exitStatus, 1);
}

// /dev/full takes buffered bytes and fails them at the flush on close; a
// write larger than the stdio buffer fails at once.
TEST_F(LogoWrapTest, RemovesAnImageThatCouldNotBeStored) {
  struct Case {
    std::size_t inputSize;
    std::string checksum;
    std::string message;
  };
  const Case cases[] = {
      {3, "0x3", message::kCloseFailed},
      {2 * 1024 * 1024, "0x200000", message::kWriteFailed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.inputSize);
    const Bytes input(c.inputSize, '\x01');
    writeFile(beside("logo.bin"), input);
    fs::create_symlink("/dev/full", beside("logo_pelk.bin"));
    const RunResult result = run();
    EXPECT_EQ(result.output, failureOutput("sum of data read = " + c.checksum + "\n", c.message));
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(readFile(beside("logo.bin")), input);
    expectProgramFolderHolds({"logo.bin"});
  }
}

// A sysfs file claims a page of size but holds a few bytes: a short read.
TEST_F(LogoWrapTest, ReportsAReadShorterThanTheMeasuredSize) {
  const fs::path shortFile = "/sys/devices/system/cpu/online";
  if (!fs::exists(shortFile) || fs::file_size(shortFile) <= readFile(shortFile).size())
    GTEST_SKIP() << "no sysfs file with a short read";
  fs::create_symlink(shortFile, beside("logo.bin"));
  const RunResult result = run();
  EXPECT_EQ(result.output, failureOutput("", message::kReadFailed));
  EXPECT_EQ(result.exitStatus, 1);
  expectProgramFolderHolds({"logo.bin"});
}

TEST_F(LogoWrapTest, ReportsMemoryItCannotHave) {
#ifdef LOGO_WRAP_SANITIZE
  GTEST_SKIP() << "sanitizers reserve more address space than the limit allows";
#endif
  writeFile(beside("logo.bin"), "");
  fs::resize_file(beside("logo.bin"), std::uintmax_t{1} << 30);
  const RunResult result = runAs("/bin/sh", {"-c", "ulimit -v 262144 && exec \"$0\"", program_.string()}, {});
  EXPECT_EQ(result.output, failureOutput("", message::kOutOfMemory));
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
      EXPECT_EQ(result.output, message::kPathUnusable + "\n" + pausePrompt());
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
