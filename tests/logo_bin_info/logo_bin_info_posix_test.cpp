// logo_bin_info run as a user runs it: what only POSIX systems can set up.
#include <csignal>
#include <random>

#include "core/bin_image.h"
#include "logo_wrap_fixture.h"
#include "posix_files.h"

namespace {

// A full device, and a reader that has gone: the report never arrived, and
// the exit status must not say it did, nor an output be replaced. An
// output refused is refused before a FIFO for input is waited on.
TEST_F(LogoBinInfoTest, FailsWhenItsReportCannotBeWritten) {
  writeFile(root_ / "image.bin", fromHex(kWorkedExampleImage));
  writeFile(root_ / "kept", "an older file");
  const std::pair<const char*, std::string> cases[] = {
      {"exec \"$0\" --extract \"$3/kept\" \"$1\" >/dev/full",
       "cannot write the report to 'standard output': No space left on device"},
      {"mkfifo \"$2\" && exec 5<>\"$2\" 6>\"$2\" 5<&- && exec \"$0\" \"$1\" >&6",
       "cannot write the report to 'standard output': Broken pipe"},
      {"mkfifo \"$2\" && exec \"$0\" --extract \"$3\" \"$2\"",
       "cannot write '" + root_.string() + "': is a folder"},
  };
  for (const auto& [script, message] : cases) {
    SCOPED_TRACE(script);
    const RunResult result = runProgram({"/bin/sh",
                                         {"-c", script, info_.string(), (root_ / "image.bin").string(),
                                          (root_ / "pipe").string(), root_.string()},
                                         workDir_,
                                         {},
                                         root_,
                                         true});
    EXPECT_EQ(result.output, "logo_bin_info: " + message + "\n");
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(readFile(root_ / "kept"), "an older file");
    fs::remove(root_ / "pipe");
  }
}

struct WriteFailureCase {
  const char* name;
  const char* limit;  // run by the shell before the program
  const char* fault;  // injected, see fault_injection.cpp
  bool onFullDisk;
  const char* option;
  std::string message;  // before the path, or nothing when a signal ends the run
  std::string reason;
  int signal = 0;
  bool alsoExtract = false;  // to a file beside, which must keep what it had too
  bool replaced = false;     // both files were put in place before the run ended
};

// A file cut short by a full disk, a file-size limit or an interrupt: a
// message and a failure status, or the signal's death, and the file that had
// the name keeps what it had. An interrupt between the two renames waits
// for the second. No temporary file stays behind.
TEST_F(LogoBinInfoTest, LeavesNoOutputCutShort) {
  const WriteFailureCase cases[] = {
      {"extract, file-size limit", "ulimit -f 64", "", false, "--extract", "cannot write '",
       "File too large"},
      {"extract, full disk", "", "", true, "--extract", "cannot write '", "No space left on device"},
      {"preview, file-size limit", "ulimit -f 64", "", false, "--preview", "cannot write the preview '",
       "File too large"},
      {"preview, full disk", "", "", true, "--preview", "cannot write the preview '",
       "No space left on device"},
      {"preview, full disk, an extract beside", "", "", true, "--preview", "cannot write the preview '",
       "No space left on device", 0, true},
      {"extract, SIGINT", "", "2", false, "--extract", "", "", SIGINT},
      {"extract, SIGTERM", "", "15", false, "--extract", "", "", SIGTERM},
      {"preview, SIGHUP", "", "1", false, "--preview", "", "", SIGHUP},
      {"preview, SIGQUIT", "", "3", false, "--preview", "", "", SIGQUIT},
      {"extract, SIGALRM", "", "14", false, "--extract", "", "", SIGALRM},
      {"preview and extract, SIGINT after the first rename", "", "2@rename", false, "--preview", "", "",
       SIGINT, true, true},
  };
  // 128 KiB of noise: its memory contents and its preview both pass 64 KiB.
  std::string data(1 << 17, '\0');
  std::mt19937 random(4);
  for (auto& byte : data) byte = static_cast<char>(random());
  Bytes image(kHeaderSize, '\0');
  const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
  encodeHeader(makeLogoHeader(1 << 17, sumSignedBytes(bytes, 1 << 17)),
               reinterpret_cast<unsigned char*>(image.data()));
  writeFile(root_ / "image.bin", image + data);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (*c.fault && kSanitized) {
      std::printf("skipped %s: the sanitizers' own fwrite comes before an injected one\n", c.name);
      continue;
    }
    FullDisk fullDisk(root_ / "full");
    if (c.onFullDisk && !fullDisk.mounted()) {
      std::printf("skipped %s: mounting a tmpfs needs root\n", c.name);
      continue;
    }
    const fs::path out = root_ / (c.onFullDisk ? "full" : "") / "out";
    writeFile(out, "an older file");
    writeFile(root_ / "beside", "an older file");
    RunRequest request{"/bin/sh",
                       {"-c", std::string(c.limit) + "\nexec \"$0\" \"$@\"", info_.string(), "--size",
                        "256x256", c.option, out.string(), (root_ / "image.bin").string()},
                       workDir_,
                       {},
                       root_};
    if (c.alsoExtract)
      request.args.insert(request.args.end() - 1, {"--extract", (root_ / "beside").string()});
    if (*c.fault)
      request.environment = {"LD_PRELOAD=" LOGO_WRAP_FAULT_INJECTION,
                             std::string("LOGO_WRAP_FAULT=") + c.fault};
    request.standardErrorFile = root_ / "stderr.txt";
    const RunResult result = runProgram(request);
    if (c.signal) {
      EXPECT_EQ(result.signal, c.signal);
    } else {
      EXPECT_EQ(result.errors, "logo_bin_info: " + c.message + out.string() + "': " + c.reason + "\n");
      EXPECT_EQ(result.exitStatus, 2);
    }
    EXPECT_EQ(readFile(out) != "an older file", c.replaced);
    EXPECT_EQ(readFile(root_ / "beside") != "an older file", c.replaced);
    for (const auto& name : namesIn(out.parent_path()))
      EXPECT_EQ(name.find(".partial-"), std::string::npos) << name;
  }
}

}  // namespace
