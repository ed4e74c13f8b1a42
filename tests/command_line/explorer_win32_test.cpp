// The companions started as Explorer starts them, in a console window of
// their own: a double click, or a file dropped on the program.
#include <windows.h>

#include "core/png_preview.h"
#include "logo_wrap_fixture.h"

namespace {

class ExplorerTest : public LogoBinInfoTest {
 protected:
  // The program's exit status, or -1 when it did not end within a minute
  // (a wait for a key that never comes must fail the test, not hang it).
  // The window is its own, as Explorer gives it; what it shows is caught in
  // a file, and the key it waits for is the end of NUL.
  int startInItsOwnWindow(const fs::path& program, const std::vector<fs::path>& dropped) {
    std::wstring commandLine = L"\"" + program.wstring() + L"\"";
    for (const fs::path& file : dropped) commandLine += L" \"" + file.wstring() + L"\"";
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    const HANDLE shown = CreateFileW((root_ / "shown.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                     CREATE_ALWAYS, 0, nullptr);
    const HANDLE none = CreateFileW(L"NUL", GENERIC_READ, 0, &inherited, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = none;
    startup.hStdOutput = startup.hStdError = shown;
    PROCESS_INFORMATION process = {};
    DWORD status = static_cast<DWORD>(-2);
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NEW_CONSOLE, nullptr, nullptr,
                       &startup, &process)) {
      if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &status);
      else
        TerminateProcess(process.hProcess, 1), status = static_cast<DWORD>(-1);
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    }
    CloseHandle(shown);
    CloseHandle(none);
    shown_ = readFile(root_ / "shown.txt");
    return static_cast<int>(status);
  }
  // It ends waiting for a key, so that the window stays to be read.
  bool waitedForAKey() const {
    return shown_.size() > pausePrompt().size() &&
           shown_.compare(shown_.size() - pausePrompt().size(), pausePrompt().size(), pausePrompt()) == 0;
  }

  std::string shown_;
};

TEST_F(ExplorerTest, DoubleClickedOrGivenADroppedFileEachDoesItsJob) {
  const fs::path pixels = copyBuiltProgram("logo_pixels");
  // Alone, each shows its help (no "FILE is required", status 2).
  for (const fs::path& program : {info_, pixels}) {
    EXPECT_EQ(startInItsOwnWindow(program, {}), 0);
    EXPECT_NE(shown_.find("--size"), std::string::npos) << shown_;
    EXPECT_TRUE(waitedForAKey()) << shown_;
  }

  MemorySink png;
  const Bytes raw = fromHex("00 F8 E0 07 1F 00 FF FF");
  ASSERT_TRUE(writePngPreview(png, {2, 2}, *findPixelFormat("rgb565le"),
                              reinterpret_cast<const unsigned char*>(raw.data()), raw.size()));
  const fs::path picture = root_ / L"\u6807\u5FD7.png";
  writeFile(picture, Bytes(png.bytes().begin(), png.bytes().end()));
  // A picture dropped becomes raw pixels beside it, never over a file that is there.
  writeFile(root_ / L"\u6807\u5FD7 (2).bin", "kept");
  EXPECT_EQ(startInItsOwnWindow(pixels, {picture}), 0);
  EXPECT_TRUE(waitedForAKey()) << shown_;
  EXPECT_EQ(startInItsOwnWindow(pixels, {picture}), 0);
  EXPECT_EQ(readFile(root_ / L"\u6807\u5FD7.bin"), raw);
  EXPECT_EQ(readFile(root_ / L"\u6807\u5FD7 (2).bin"), "kept");
  EXPECT_EQ(readFile(root_ / L"\u6807\u5FD7 (3).bin"), raw);

  // An image dropped on logo_bin_info is checked.
  writeFile(beside("logo.bin"), raw);
  ASSERT_EQ(run().exitStatus, 0);
  EXPECT_EQ(startInItsOwnWindow(info_, {beside("logo_pelk.bin")}), 0);
  EXPECT_TRUE(waitedForAKey()) << shown_;
  EXPECT_EQ(startInItsOwnWindow(info_, {picture}), 1);
}

}  // namespace
