// logo_pixels run as a user runs it: what only POSIX systems can set up.
#include <random>

#include "core/png_preview.h"
#include "full_disk.h"
#include "logo_wrap_fixture.h"

namespace {

class LogoPixelsPosixTest : public LogoWrapTest {
 protected:
  void SetUp() override {
    LogoWrapTest::SetUp();
    pixels_ = copyBuiltProgram("logo_pixels");
  }

  // logo_pixels with `args`, after the shell ran `limit`.
  RunResult convert(const std::string& limit, std::vector<std::string> args) {
    args.insert(args.begin(), {"-c", limit + "\nexec \"$0\" \"$@\"", pixels_.string()});
    return runProgram({"/bin/sh", args, workDir_, {}, root_, true});
  }

  fs::path pixels_;
};

// A BMP header that claims 20000x20000 pixels, 1.6 GB to decode, under a
// memory limit: refused with a message, never a crash, and no OUT.
TEST_F(LogoPixelsPosixTest, RefusesAPictureTooLargeToHold) {
  if (kSanitized) GTEST_SKIP() << "sanitizers reserve more address space than the limit allows";
  const fs::path bmp = root_ / "huge.bmp", out = root_ / "out.bin";
  writeFile(
      bmp,
      fromHex("42 4D 36 00 00 00 00 00 00 00 36 00 00 00 28 00 00 00 20 4E 00 00 20 4E 00 00 01 00 18 00 "
              "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
  const RunResult result = convert("ulimit -v 262144", {bmp.string(), out.string()});
  EXPECT_EQ(result.output, "logo_pixels: " + bmp.string() + ": too large to hold in memory\n");
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_FALSE(fs::exists(out));
}

// OUT cut short by a full disk or a file-size limit: a message, a failure
// status, and no OUT left that could pass for the whole one.
TEST_F(LogoPixelsPosixTest, LeavesNoOutputCutShort) {
  const std::pair<const char*, const char*> cases[] = {
      {"ulimit -f 64", "File too large"}, {"", "No space left on device"},  // on a full disk
  };
  // 256x256 RGBA of noise: 256 KiB of raw pixels.
  Bytes noise(256 * 256 * 4, '\0');
  std::mt19937 random(6);
  for (auto& byte : noise) byte = static_cast<char>(random());
  MemorySink png;
  ASSERT_TRUE(writePngPreview(png, {256, 256}, *findPixelFormat("rgba"),
                              reinterpret_cast<const unsigned char*>(noise.data()), noise.size()));
  const fs::path picture = root_ / "noise.png";
  writeFile(picture, Bytes(png.bytes().begin(), png.bytes().end()));
  for (const auto& [limit, reason] : cases) {
    SCOPED_TRACE(reason);
    FullDisk fullDisk(root_ / "full");
    if (!*limit && !fullDisk.mounted()) {
      std::printf("skipped the full disk: mounting a tmpfs needs root\n");
      continue;
    }
    const fs::path out = root_ / (*limit ? "" : "full") / "out.bin";
    const RunResult result = convert(limit, {"--pixel", "rgba", picture.string(), out.string()});
    EXPECT_EQ(result.output, "logo_pixels: " + out.string() + ": " + reason + "\n");
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_FALSE(fs::exists(out));
  }
}

}  // namespace
