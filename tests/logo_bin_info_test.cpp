// logo_bin_info run as a user runs it, on images logo_wrap wrote and on
// damaged copies of them.
#include "logo_wrap_fixture.h"

namespace {

class LogoBinInfoTest : public LogoWrapTest {
 protected:
  void SetUp() override {
    LogoWrapTest::SetUp();
    info_ = copyBuiltProgram("logo_bin_info");
  }

  RunResult inspect(const std::vector<std::string>& args) {
    return runProgram({info_.string(), args, workDir_, {}, root_, true});
  }
  RunResult inspect(const Bytes& image) {
    writeFile(root_ / "image.bin", image);
    return inspect(std::vector<std::string>{(root_ / "image.bin").string()});
  }

  fs::path info_;
};

TEST_F(LogoBinInfoTest, ReportsAFreshlyWrappedImageAsSound) {
  writeFile(beside("logo.bin"), fromHex(kWorkedExampleInput));
  ASSERT_EQ(run().exitStatus, 0);
  const RunResult result = inspect(std::vector<std::string>{beside("logo_pelk.bin").string()});
  EXPECT_EQ(result.output, consoleText("file bytes: 30\n"
                                       "sync bytes: 42 30 30 30 46 46 0A (as expected)\n"
                                       "image address: 0x87800000\n"
                                       "image length: 3\n"
                                       "record address: 0x87800000\n"
                                       "record length: 3\n"
                                       "record checksum: 0x00000002\n"
                                       "computed checksum: 0x00000002\n"
                                       "data bytes: 3\n"
                                       "OK\n"));
  EXPECT_EQ(result.exitStatus, 0);
}

// The header alone (an empty logo), and more than one read's worth.
TEST_F(LogoBinInfoTest, AgreesWithLogoWrapOnTheSmallestAndALargeImage) {
  for (const std::size_t size : {0, 3 * 1024 * 1024 + 1}) {
    Bytes input(size, '\0');
    for (std::size_t i = 0; i < input.size(); ++i) input[i] = static_cast<char>(i * 7 + i / 251);
    writeFile(beside("logo.bin"), input);
    ASSERT_EQ(run().exitStatus, 0);
    const RunResult result = inspect(std::vector<std::string>{beside("logo_pelk.bin").string()});
    EXPECT_EQ(result.exitStatus, 0) << result.output;
  }
}

struct DamageCase {
  const char* name;
  Bytes image;
  std::vector<std::string> problems;
};

std::vector<std::string> problemsIn(const std::string& output) {
  std::vector<std::string> problems;
  const std::string prefix = consoleText("\nproblem: ");
  for (auto at = output.find(prefix); at != std::string::npos; at = output.find(prefix, at + 1)) {
    const auto start = at + prefix.size();
    problems.push_back(output.substr(start, output.find(kLineEnd, start) - start));
  }
  return problems;
}

Bytes withByte(Bytes image, std::size_t offset, char value) {
  image[offset] = value;
  return image;
}

TEST_F(LogoBinInfoTest, NamesEveryProblemOfADamagedImage) {
  const Bytes sound = fromHex(kWorkedExampleImage);
  Bytes hugeLengths = sound;
  for (std::size_t offset : {11, 12, 13, 14, 19, 20, 21, 22}) hugeLengths[offset] = '\xFF';
  const DamageCase cases[] = {
      {"wrong sync", withByte(sound, 0, 'C'), {"sync bytes are not 42 30 30 30 46 46 0A"}},
      {"lengths differ", withByte(sound, 11, 4), {"image length 4 differs from record length 3"}},
      {"addresses differ",
       withByte(sound, 15, 1),
       {"image address 0x87800000 differs from record address 0x87800001"}},
      {"truncated",
       sound.substr(0, 29),
       {"truncated: 2 data bytes, record length 3",
        "checksum mismatch: record says 0x00000002, data sums to 0x00000003"}},
      // Not zero bytes: added into the sum by mistake, they would show.
      {"trailing bytes", sound + "\x05\x06", {"trailing bytes: 2 after the record's 3"}},
      {"checksum",
       withByte(sound, 23, 3),
       {"checksum mismatch: record says 0x00000003, data sums to 0x00000002"}},
      {"shorter than the header", sound.substr(0, 10), {"file is 10 bytes, shorter than the 27-byte header"}},
      {"empty file", "", {"file is 0 bytes, shorter than the 27-byte header"}},
      {"lengths past the file", hugeLengths, {"truncated: 3 data bytes, record length 4294967295"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const RunResult result = inspect(c.image);
    EXPECT_EQ(problemsIn(result.output), c.problems) << result.output;
    EXPECT_EQ(result.output.find("OK"), std::string::npos);
    EXPECT_EQ(result.exitStatus, 1);
  }
}

struct UsageCase {
  const char* name;
  std::vector<std::string> args;
  std::string expected;  // part of the message on standard error
};

TEST_F(LogoBinInfoTest, RefusesWhatItCannotCheck) {
  fs::create_directory(root_ / "folder");
  const std::string missing = (root_ / "missing.bin").string();
  const std::string folder = (root_ / "folder").string();
  const UsageCase cases[] = {
      {"no file", {}, "usage: logo_bin_info FILE"},
      {"two files", {"a.bin", "b.bin"}, "usage: logo_bin_info FILE"},
      {"missing file", {missing}, "'" + missing + "'"},
      {"a folder", {folder}, "'" + folder + "'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const RunResult result = inspect(c.args);
    EXPECT_NE(result.output.find(c.expected), std::string::npos) << result.output;
    EXPECT_EQ(result.output.find("file bytes"), std::string::npos);
    EXPECT_EQ(result.exitStatus, 2);
  }
}

}  // namespace
