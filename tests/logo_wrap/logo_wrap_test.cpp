// logo_wrap run as a user runs it, on every platform.
#include <cstdint>
#include <random>

#include "core/bin_image.h"
#include "logo_wrap_fixture.h"

namespace {

struct WrapCase {
  const char* name;
  std::string inputHex;
  std::vector<std::string> args;
  std::string checksum;
  std::string imageHex;
};

TEST_F(LogoWrapTest, WrapsTheImageBesideItself) {
  const WrapCase cases[] = {
      {"empty",
       "",
       {},
       "0x0",
       "42 30 30 30 46 46 0A 00 00 80 87 00 00 00 00 00 00 80 87 00 00 00 00 00 00 00 00"},
      {"worked example", kWorkedExampleInput, {}, "0x2", kWorkedExampleImage},
      {"negative sum",
       "80",
       {},
       "0xffffff80",
       "42 30 30 30 46 46 0A 00 00 80 87 01 00 00 00 00 00 80 87 01 00 00 00 80 FF FF FF 80"},
      {"extra arguments", kWorkedExampleInput, {"--help", "-o", "other.bin"}, "0x2", kWorkedExampleImage},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes input = fromHex(c.inputHex);
    writeFile(beside("logo.bin"), input);
    const RunResult result = run(c.args);
    EXPECT_EQ(result.output,
              consoleText(separatorReport() + "sum of data read = " + c.checksum + "\n") + pausePrompt());
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(readFile(beside("logo_pelk.bin")), fromHex(c.imageHex));
    EXPECT_EQ(readFile(beside("logo.bin")), input);
    expectProgramFolderHolds({"logo.bin", "logo_pelk.bin"});
    fs::remove(beside("logo_pelk.bin"));
  }
}

TEST_F(LogoWrapTest, RewritesALongerExistingImage) {
  writeFile(beside("logo.bin"), fromHex(kWorkedExampleInput));
  writeFile(beside("logo_pelk.bin"), Bytes(1000, 'x'));
  EXPECT_EQ(run().exitStatus, 0);
  EXPECT_EQ(readFile(beside("logo_pelk.bin")), fromHex(kWorkedExampleImage));
}

// Several MiB pass through more than one stdio buffer on both sides.
TEST_F(LogoWrapTest, WrapsALargeImageIntact) {
  Bytes input(3 * 1024 * 1024 + 5, '\0');
  std::mt19937 random(42);
  for (auto& byte : input) byte = static_cast<char>(random());
  writeFile(beside("logo.bin"), input);
  const auto* data = reinterpret_cast<const unsigned char*>(input.data());
  const std::uint32_t checksum = sumSignedBytes(data, static_cast<std::int64_t>(input.size()));
  Bytes header(kHeaderSize, '\0');
  encodeHeader(makeLogoHeader(static_cast<std::uint32_t>(input.size()), checksum),
               reinterpret_cast<unsigned char*>(header.data()));

  const RunResult result = run();
  EXPECT_EQ(result.exitStatus, 0);
  const Bytes image = readFile(beside("logo_pelk.bin"));
  ASSERT_EQ(image.size(), kHeaderSize + input.size());
  EXPECT_EQ(image.substr(0, kHeaderSize), header);
  EXPECT_TRUE(image.compare(kHeaderSize, Bytes::npos, input) == 0);
}

TEST_F(LogoWrapTest, WrapsAReadOnlyInput) {
  writeFile(beside("logo.bin"), fromHex(kWorkedExampleInput));
  fs::permissions(beside("logo.bin"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const RunResult result = run();
  EXPECT_EQ(result.exitStatus, 0) << result.output;
  EXPECT_EQ(readFile(beside("logo_pelk.bin")), fromHex(kWorkedExampleImage));
}

TEST_F(LogoWrapTest, ReportsAMissingInput) {
  const RunResult result = run();
  EXPECT_EQ(result.output, failureOutput(composedInputPath() + "\n", message(WrapOutcome::kInputNotFound)));
  EXPECT_EQ(result.exitStatus, 1);
  expectProgramFolderHolds({});
}

TEST_F(LogoWrapTest, ReportsAnInputThatIsADirectoryAsMissing) {
  fs::create_directory(beside("logo.bin"));
  const RunResult result = run();
  EXPECT_EQ(result.output, failureOutput(composedInputPath() + "\n", message(WrapOutcome::kInputNotFound)));
  EXPECT_EQ(result.exitStatus, 1);
  expectProgramFolderHolds({"logo.bin"});
}

TEST_F(LogoWrapTest, ReportsAnOutputThatDoesNotOpen) {
  writeFile(beside("logo.bin"), fromHex(kWorkedExampleInput));
  fs::create_directory(beside("logo_pelk.bin"));
  const RunResult result = run();
  EXPECT_EQ(result.output, failureOutput("sum of data read = 0x2\n", message(WrapOutcome::kOpenFailed)));
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_TRUE(fs::is_empty(beside("logo_pelk.bin")));
  EXPECT_EQ(readFile(beside("logo.bin")), fromHex(kWorkedExampleInput));
}

// Writing through the link would destroy the input.
TEST_F(LogoWrapTest, RefusesAnOutputThatIsTheInputThroughAHardLink) {
  writeFile(beside("logo.bin"), fromHex(kWorkedExampleInput));
  fs::create_hard_link(beside("logo.bin"), beside("logo_pelk.bin"));
  const RunResult result = run();
  EXPECT_EQ(result.output, failureOutput("sum of data read = 0x2\n", message(WrapOutcome::kOpenFailed)));
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(readFile(beside("logo.bin")), fromHex(kWorkedExampleInput));
}

// Header and data must fit a signed 32-bit length; the first size is one
// byte past that, the second would look tiny to a 32-bit position query.
TEST_F(LogoWrapTest, RefusesInputsTooLargeForTheFormat) {
  for (const std::uintmax_t size : {(std::uintmax_t{1} << 31) - 27, (std::uintmax_t{1} << 32) + 3}) {
    SCOPED_TRACE(size);
    writeFile(beside("logo.bin"), "");
    fs::resize_file(beside("logo.bin"), size);  // sparse
    const RunResult result = run();
    EXPECT_EQ(result.output, failureOutput("", message(WrapOutcome::kTooLarge)));
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(fs::file_size(beside("logo.bin")), size);
    expectProgramFolderHolds({"logo.bin"});
  }
}

TEST_F(LogoWrapTest, RefusesAProgramPathTooLongToHold) {
  moveProgramTo(root_ / "app" / std::string(120, 'd'));
  writeFile(beside("logo.bin"), fromHex(kWorkedExampleInput));
  const RunResult result = run();
  EXPECT_EQ(result.output, consoleText(message(WrapOutcome::kPathUnusable) + "\n") + pausePrompt());
  EXPECT_EQ(result.exitStatus, 1);
  expectProgramFolderHolds({"logo.bin"});
}

}  // namespace
