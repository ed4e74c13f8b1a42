// logo_bin_info run as a user runs it: what only POSIX systems can set up.
#include <random>

#include "core/bin_image.h"
#include "full_disk.h"
#include "logo_wrap_fixture.h"

namespace {

// A full device, and a reader that has gone: the report never arrived, and
// the exit status must not say it did.
TEST_F(LogoBinInfoTest, FailsWhenItsReportCannotBeWritten) {
  writeFile(root_ / "image.bin", fromHex(kWorkedExampleImage));
  const std::pair<const char*, std::string> cases[] = {
      {"exec \"$0\" \"$1\" >/dev/full", "No space left on device"},
      {"mkfifo \"$2\" && exec 5<>\"$2\" 6>\"$2\" 5<&- && exec \"$0\" \"$1\" >&6", "Broken pipe"},
  };
  for (const auto& [script, reason] : cases) {
    SCOPED_TRACE(script);
    const RunResult result =
        runProgram({"/bin/sh",
                    {"-c", script, info_.string(), (root_ / "image.bin").string(), (root_ / "pipe").string()},
                    workDir_,
                    {},
                    root_,
                    true});
    EXPECT_EQ(result.output, "logo_bin_info: cannot write the report to 'standard output': " + reason + "\n");
    EXPECT_EQ(result.exitStatus, 2);
  }
}

struct WriteFailureCase {
  const char* name;
  const char* limit;  // run by the shell before the program
  bool onFullDisk;
  const char* option;
  std::string message;  // before the path
  std::string reason;
};

// A file cut short by a full disk or a file-size limit: a message, a failure
// status, and no file left that could pass for the whole one.
TEST_F(LogoBinInfoTest, LeavesNoOutputCutShort) {
  const WriteFailureCase cases[] = {
      {"extract, file-size limit", "ulimit -f 64", false, "--extract", "cannot write '", "File too large"},
      {"extract, full disk", "", true, "--extract", "cannot write '", "No space left on device"},
      {"preview, file-size limit", "ulimit -f 64", false, "--preview", "cannot write the preview '",
       "File too large"},
      {"preview, full disk", "", true, "--preview", "cannot write the preview '", "No space left on device"},
  };
  // 1 MiB of noise: its memory contents and its preview both pass 64 KiB.
  std::string data(1 << 20, '\0');
  std::mt19937 random(4);
  for (auto& byte : data) byte = static_cast<char>(random());
  Bytes image(kHeaderSize, '\0');
  const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
  encodeHeader(makeLogoHeader(1 << 20, sumSignedBytes(bytes, 1 << 20)),
               reinterpret_cast<unsigned char*>(image.data()));
  writeFile(root_ / "image.bin", image + data);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FullDisk fullDisk(root_ / "full");
    if (c.onFullDisk && !fullDisk.mounted()) {
      std::printf("skipped %s: mounting a tmpfs needs root\n", c.name);
      continue;
    }
    const fs::path out = root_ / (c.onFullDisk ? "full" : "") / "out";
    RunRequest request{"/bin/sh",
                       {"-c", std::string(c.limit) + "\nexec \"$0\" \"$@\"", info_.string(), "--size",
                        "512x1024", c.option, out.string(), (root_ / "image.bin").string()},
                       workDir_,
                       {},
                       root_};
    request.standardErrorFile = root_ / "stderr.txt";
    const RunResult result = runProgram(request);
    EXPECT_EQ(result.errors, "logo_bin_info: " + c.message + out.string() + "': " + c.reason + "\n");
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_FALSE(fs::exists(out));
  }
}

}  // namespace
