// logo_wrap run as a Windows user runs it, in folders named in the user's
// language. The Chinese cases need the ANSI code page of Simplified Chinese
// Windows (936); the test run under a Chinese locale has it.
#include <windows.h>

#include <cstdlib>

#include "logo_wrap_fixture.h"

namespace {

constexpr unsigned kAnyCodePage = 0;
constexpr unsigned kSimplifiedChinese = 936;

// The run that is meant to be Chinese must not quietly be something else, or
// every case below would skip.
TEST(TestMachine, HasTheCodePageItWasStartedFor) {
  const char* wanted = std::getenv("LOGO_WRAP_TEST_CODE_PAGE");
  if (!wanted) GTEST_SKIP() << "no code page asked for";
  EXPECT_EQ(GetACP(), std::stoul(wanted));
}

enum class Outcome { kWraps, kInputMissing, kPathRefused };

struct FolderCase {
  const char* name;
  unsigned codePage;  // the ANSI code page the case needs
  std::wstring folder;
  std::wstring program;
  Outcome outcome;
};

// The name of a folder that makes the program's path `bytes` long in the
// ANSI code page: two-byte ideographs, and one letter if the count is odd.
std::wstring folderForPathBytes(const fs::path& parent, std::size_t bytes) {
  // The folder's own backslash comes on top of the rest of the path.
  const std::size_t others = consoleBytes((parent / L"logo_wrap.exe").native()).size() + 1;
  const std::size_t padding = bytes - others;
  return std::wstring(padding / 2, L'\u6807') + std::wstring(padding % 2, L'a');
}

TEST_F(LogoWrapTest, WorksInFoldersNamedInTheUsersLanguage) {
  const fs::path app = root_ / "app";
  const FolderCase cases[] = {
      {"Chinese folder", kSimplifiedChinese, L"\u6807\u5FD7", L"logo_wrap.exe", Outcome::kWraps},
      {"Latin-1 folder", kAnyCodePage, L"caf\u00E9", L"logo_wrap.exe", Outcome::kWraps},
      // 誠 is D5 5C in GBK: its trail byte is no backslash.
      {"name ending in a 0x5C trail byte", kSimplifiedChinese, L"", L"logo_wrap\u8AA0.exe", Outcome::kWraps},
      {"no logo.bin in a Chinese folder", kSimplifiedChinese, L"\u6807\u5FD7", L"logo_wrap.exe",
       Outcome::kInputMissing},
      {"99-byte GBK path", kSimplifiedChinese, folderForPathBytes(app, 99), L"logo_wrap.exe",
       Outcome::kWraps},
      {"100-byte GBK path", kSimplifiedChinese, folderForPathBytes(app, 100), L"logo_wrap.exe",
       Outcome::kPathRefused},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.codePage != kAnyCodePage && GetACP() != c.codePage) {
      std::printf("skipped %s: needs ANSI code page %u\n", c.name, c.codePage);
      continue;
    }
    moveProgramTo(app / c.folder, c.program);
    if (c.outcome != Outcome::kInputMissing) writeFile(beside("logo.bin"), fromHex(kWorkedExampleInput));
    const RunResult result = run();
    const std::string expected[] = {
        consoleText(separatorReport() + "sum of data read = 0x2\n") + pausePrompt(),
        failureOutput(composedInputPath() + "\n", message(WrapOutcome::kInputNotFound)),
        consoleText(message(WrapOutcome::kPathUnusable) + "\n") + pausePrompt(),
    };
    EXPECT_EQ(result.output, expected[static_cast<int>(c.outcome)]);
    EXPECT_EQ(result.exitStatus, c.outcome == Outcome::kWraps ? 0 : 1);
    if (c.outcome == Outcome::kWraps) {
      EXPECT_EQ(readFile(beside("logo_pelk.bin")), fromHex(kWorkedExampleImage));
    }
    fs::remove(beside("logo.bin"));
    fs::remove(beside("logo_pelk.bin"));
  }
}

}  // namespace
