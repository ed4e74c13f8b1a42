// logo_pixels run as a user runs it: what only POSIX systems can set up.
#include <sys/stat.h>

#include <csignal>
#include <random>
#include <tuple>

#include "core/png_preview.h"
#include "logo_wrap_fixture.h"
#include "posix_files.h"

namespace {

class LogoPixelsPosixTest : public LogoWrapTest {
 protected:
  void SetUp() override {
    LogoWrapTest::SetUp();
    pixels_ = copyBuiltProgram("logo_pixels");
  }

  // logo_pixels with `args`, after the shell ran `limit`.
  RunResult convert(const std::string& limit, std::vector<std::string> args,
                    const std::vector<std::string>& environment = {}) {
    args.insert(args.begin(), {"-c", limit + "\nexec \"$0\" \"$@\"", pixels_.string()});
    return runProgram({"/bin/sh", args, workDir_, environment, root_, true});
  }

  fs::path pixels_;
};

// A GIF of one pixel on a screen of one.
const char kOnePixelGif[] =
    "47 49 46 38 39 61 01 00 01 00 80 00 00 00 00 00 FF FF FF "
    "2C 00 00 00 00 01 00 01 00 00 02 02 44 01 00 3B";

// A whole GIF of one pixel on a screen of 16000x16000, 1 GB to decode,
// under a memory limit, and a device that never ends: refused with a
// message, never a crash or an endless read, and no OUT.
TEST_F(LogoPixelsPosixTest, RefusesAPictureTooLargeToHold) {
  if (kSanitized) GTEST_SKIP() << "sanitizers reserve more address space than the limit allows";
  const fs::path gif = root_ / "huge.gif", out = root_ / "out.bin";
  writeFile(gif, fromHex("47 49 46 38 39 61 80 3E 80 3E 80 00 00 00 00 00 FF FF FF 21 F9 04 01 00 00 00 00 "
                         "2C 00 00 00 00 01 00 01 00 00 02 02 44 01 00 3B"));
  const fs::path sample = root_ / "sample.gif";
  writeFile(sample, fromHex(kOnePixelGif));
  const std::tuple<std::vector<std::string>, std::string, std::string> cases[] = {
      {{}, gif.string(), "too large to hold in memory"},
      {{}, "/dev/zero", "is a device, not a regular file"},
      // A file that says it is empty, then fails to read: an error, not a 0-byte picture.
      {{}, "/proc/self/mem", "Input/output error"},
      // Decoded, but the panel's memory cannot be had: nothing written, not an empty OUT.
      {{"--size", "65535x65535", "--place", "center"}, sample.string(), "too large to convert in memory"},
  };
  for (const auto& [options, picture, reason] : cases) {
    std::vector<std::string> args = options;
    args.insert(args.end(), {picture, out.string()});
    const RunResult result = convert("ulimit -v 262144", args);
    EXPECT_EQ(result.output, "logo_pixels: " + picture + ": " + reason + "\n");
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_FALSE(fs::exists(out));
  }
}

// OUT refused before a FIFO for the picture is waited on, and a line that
// never arrived does not pass for one that did.
TEST_F(LogoPixelsPosixTest, SaysWhyBeforeWaitingAndWhenItCannotReport) {
  const fs::path gif = root_ / "one.gif", fifo = root_ / "fifo";
  writeFile(gif, fromHex(kOnePixelGif));
  ASSERT_EQ(mkfifo(fifo.c_str(), 0666), 0);
  const std::tuple<std::string, fs::path, std::string> cases[] = {
      {":", fifo, "logo_pixels: " + root_.string() + ": is a folder"},
      {"exec >/dev/full", gif,
       "logo_pixels: cannot write the report to 'standard output': No space left on device"},
  };
  for (const auto& [shell, picture, message] : cases) {
    const fs::path out = picture == fifo ? root_ : root_ / "out.bin";
    const RunResult result = convert(shell, {picture.string(), out.string()});
    EXPECT_EQ(result.output, message + "\n");
    EXPECT_EQ(result.exitStatus, 2);
  }
}

struct WriteFailureCase {
  const char* limit;  // run by the shell before the program; none: on a full disk
  std::string reason;
  int signal;  // injected (see fault_injection.cpp), and the one that ends the run
};

// OUT cut short by a full disk, a file-size limit or an interrupt: a message
// and a failure status, or the signal's death, and the OUT that was there
// keeps what it had. No temporary file stays behind.
TEST_F(LogoPixelsPosixTest, LeavesNoOutputCutShort) {
  std::vector<WriteFailureCase> cases = {{"ulimit -f 64", "File too large", 0},
                                         {"", "No space left on device", 0}};
  // Also Linux's own, and the real-time ones: they end a program as well.
  for (const int signal :
       {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGXCPU, SIGPWR, SIGIO, SIGSTKFLT, SIGRTMIN, SIGRTMAX})
    cases.push_back({":", "", signal});
  // 256x256 RGBA of noise: 256 KiB of raw pixels.
  Bytes noise(256 * 256 * 4, '\0');
  std::mt19937 random(6);
  for (auto& byte : noise) byte = static_cast<char>(random());
  MemorySink png;
  ASSERT_TRUE(writePngPreview(png, {256, 256}, *findPixelFormat("rgba"),
                              reinterpret_cast<const unsigned char*>(noise.data()), noise.size()));
  const fs::path picture = root_ / "noise.png";
  writeFile(picture, Bytes(png.bytes().begin(), png.bytes().end()));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reason + std::to_string(c.signal));
    if (c.signal && kSanitized) {
      std::printf("skipped signal %d: the sanitizers' own fwrite comes before an injected one\n", c.signal);
      continue;
    }
    FullDisk fullDisk(root_ / "full");
    if (!*c.limit && !fullDisk.mounted()) {
      std::printf("skipped the full disk: mounting a tmpfs needs root\n");
      continue;
    }
    const fs::path out = root_ / (*c.limit ? "" : "full") / "out.bin";
    writeFile(out, "an older file");
    const RunResult result =
        convert(c.limit, {"--pixel", "rgba", picture.string(), out.string()},
                c.signal ? std::vector<std::string>{"LD_PRELOAD=" LOGO_WRAP_FAULT_INJECTION,
                                                    "LOGO_WRAP_FAULT=" + std::to_string(c.signal)}
                         : std::vector<std::string>{});
    if (c.signal) {
      EXPECT_EQ(result.signal, c.signal);
    } else {
      EXPECT_EQ(result.output, "logo_pixels: " + out.string() + ": " + c.reason + "\n");
      EXPECT_EQ(result.exitStatus, 2);
    }
    EXPECT_EQ(readFile(out), "an older file");
    for (const auto& name : namesIn(out.parent_path()))
      EXPECT_EQ(name.find(".partial-"), std::string::npos) << name;
  }
}

}  // namespace
