#include "core/sibling_path.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Sets a locale for the character type for one test, then puts "C" back.
class CharacterLocale {
 public:
  explicit CharacterLocale(const char* name) : available_(std::setlocale(LC_CTYPE, name)) {}
  ~CharacterLocale() { std::setlocale(LC_CTYPE, "C"); }
  bool available() const { return available_; }

 private:
  bool available_;
};

// A locale by its POSIX name (found through LOCPATH), or by its Windows
// code page.
const char* localeFor(const char* posixName, const char* codePage) {
  return CharacterLocale(posixName).available() ? posixName : codePage;
}

struct CompositionCase {
  const char* locale;
  const wchar_t* programPath;
  int position;  // one-based position of the last backslash, 0 for none
  const char* inputPath;
  const char* outputPath;
};

TEST(SiblingPath, ComposesBothFileNamesBesideTheProgram) {
  const CompositionCase cases[] = {
      {"C", L"D:\\img\\conv.exe", 7, "D:\\img\\logo.bin", "D:\\img\\logo_pelk.bin"},
      {"C", L"C:\\conv.exe", 3, "C:\\logo.bin", "C:\\logo_pelk.bin"},
      // Only the last backslash counts; a slash before it is part of the directory.
      {"C", L"D:\\img/sub\\conv.exe", 11, "D:\\img/sub\\logo.bin", "D:\\img/sub\\logo_pelk.bin"},
      // A slash after the last backslash does not move the directory end.
      {"C", L"a\\b/conv", 2, "a\\logo.bin", "a\\logo_pelk.bin"},
      // Without a backslash, the last slash ends the directory...
      {"C", L"/opt/board/logo_wrap", 0, "/opt/board/logo.bin", "/opt/board/logo_pelk.bin"},
      // ...and without either, the bare names mean the current directory.
      {"C", L"logo_wrap", 0, "logo.bin", "logo_pelk.bin"},
      {"C", L"", 0, "logo.bin", "logo_pelk.bin"},
      {"C.UTF-8", L"/tmp/\u6807\u5FD7/x", 0, "/tmp/\xE6\xA0\x87\xE5\xBF\x97/logo.bin",
       "/tmp/\xE6\xA0\x87\xE5\xBF\x97/logo_pelk.bin"},
      // U+8AA0 is D5 5C in GBK, U+529F is A5 5C in Big5: a trail byte is no
      // separator, whether a backslash or a slash comes before it. The
      // position counts bytes.
      {localeFor("zh_CN.GBK", ".936"), L"C:\\\u6807\\x\u8AA0", 6, "C:\\\xB1\xEA\\logo.bin",
       "C:\\\xB1\xEA\\logo_pelk.bin"},
      {localeFor("zh_CN.GBK", ".936"), L"/\u8AA0/x\u8AA0", 0, "/\xD5\x5C/logo.bin",
       "/\xD5\x5C/logo_pelk.bin"},
      {localeFor("zh_TW.BIG5", ".950"), L"C:\\\u529F\\x\u529F", 6, "C:\\\xA5\x5C\\logo.bin",
       "C:\\\xA5\x5C\\logo_pelk.bin"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.inputPath);
    CharacterLocale locale(c.locale);
    if (!locale.available()) {
      std::printf("skipped a case: no locale %s\n", c.locale);
      continue;
    }
    SiblingPath path;
    ASSERT_TRUE(path.fromProgramPath(c.programPath));
    path.findLastSeparator();
    EXPECT_EQ(path.separator ? static_cast<int>(*path.separator) + 1 : 0, c.position);
    path.setFileName(kInputFileName);
    EXPECT_STREQ(path.text, c.inputPath);
    // The longer name first, so a left-over tail of it would show.
    path.setFileName(kOutputFileName);
    path.setFileName(kInputFileName);
    path.setFileName(kOutputFileName);
    EXPECT_STREQ(path.text, c.outputPath);
  }
}

struct ConversionCase {
  const char* locale;
  std::wstring programPath;
  bool accepted;
};

TEST(SiblingPath, RefusesProgramPathsItCannotHold) {
  const std::wstring ideographs33(33, L'\u6807');  // 99 bytes in UTF-8
  const ConversionCase cases[] = {
      {"C", std::wstring(99, L'a'), true},    // 99 bytes and the NUL: exactly the limit
      {"C", std::wstring(100, L'a'), false},  // one byte too many
      {"C", std::wstring(300, L'a'), false},  // longer than the whole buffer
      {"C", L"C:\\\u6807\\conv.exe", false},  // not representable in the C locale
      {"C.UTF-8", ideographs33, true},
      {"C.UTF-8", ideographs33 + L"a", false},       // the limit falls inside no character...
      {"C.UTF-8", ideographs33 + L"\u6807", false},  // ...or inside one
  };
  for (const auto& c : cases) {
    CharacterLocale locale(c.locale);
    if (!locale.available()) continue;
    SiblingPath path;
    std::memset(path.text, 'x', sizeof path.text);
    EXPECT_EQ(path.fromProgramPath(c.programPath.c_str()), c.accepted)
        << c.locale << " length " << c.programPath.size();
    if (c.accepted)
      EXPECT_LT(std::strlen(path.text), kPathConvertLimit);
    else
      EXPECT_STREQ(path.text, "");
  }
}

}  // namespace
