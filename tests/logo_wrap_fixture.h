// A fresh folder per test holding a copy of the built logo_wrap, and a second
// folder to start it from.
#ifndef LOGO_WRAP_TESTS_LOGO_WRAP_FIXTURE_H_
#define LOGO_WRAP_TESTS_LOGO_WRAP_FIXTURE_H_

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "program_runner.h"

using Bytes = std::string;

#ifdef LOGO_WRAP_SANITIZE
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

// Console messages, GBK bytes as the tool prints them.
namespace message {
inline const std::string kInputNotFound =
    "\xCE\xB4\xD5\xD2\xB5\xBD"
    "logo.bin"
    "\xCE\xC4\xBC\xFE\n";
inline const std::string kOpenFailed = "\xB4\xF2\xBF\xAA\xCA\xA7\xB0\xDC\n";
inline const std::string kCloseFailed = "\xB9\xD8\xB1\xD5\xCE\xC4\xBC\xFE\xCA\xA7\xB0\xDC\n";
inline const std::string kReadFailed =
    "\xB6\xC1\xC8\xA1"
    "logo.bin"
    "\xCE\xC4\xBC\xFE\xCA\xA7\xB0\xDC\n";
inline const std::string kTooLarge =
    "logo.bin"
    "\xCE\xC4\xBC\xFE\xB9\xFD\xB4\xF3\n";
inline const std::string kWriteFailed = "\xD0\xB4\xC8\xEB\xCE\xC4\xBC\xFE\xCA\xA7\xB0\xDC\n";
inline const std::string kPathUnusable =
    "\xB3\xCC\xD0\xF2\xC2\xB7\xBE\xB6\xB9\xFD\xB3\xA4\xBB\xF2\xCE\xDE\xB7\xA8\xD7\xAA\xBB\xBB\n";
inline const std::string kOutOfMemory = "\xC4\xDA\xB4\xE6\xB2\xBB\xD7\xE3\n";
}  // namespace message

// Three data bytes summing to 2 as signed bytes, and their wrapped image.
inline const std::string kWorkedExampleInput = "01 02 FF";
inline const std::string kWorkedExampleImage =
    "42 30 30 30 46 46 0A 00 00 80 87 03 00 00 00 00 00 80 87 03 00 00 00 02 00 00 00 01 02 FF";

Bytes readFile(const fs::path& path);
void writeFile(const fs::path& path, const Bytes& bytes);
Bytes fromHex(const std::string& hex);
std::set<std::string> namesIn(const fs::path& dir);

class LogoWrapTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Copies a built program (name without suffix) into app/; returns its path.
  fs::path copyBuiltProgram(const std::string& name);
  // Puts the program into `dir` (below the test's folder) instead of app/,
  // renamed to `name` if one is given.
  void moveProgramTo(const fs::path& dir, const fs::path& name = {});
  RunResult run(const std::vector<std::string>& args = {}, const std::vector<std::string>& environment = {});
  RunResult runAs(const std::string& typedProgram, const std::vector<std::string>& args,
                  const std::vector<std::string>& environment);

  fs::path beside(const std::string& name) const { return program_.parent_path() / name; }
  // The first console line, from the last backslash of the program path.
  std::string separatorReport() const;
  // What a run that ends with `message` prints: the report, `middle`, the
  // message with its empty line, the pause prompt.
  std::string failureOutput(const std::string& middle, const std::string& message) const;
  std::string composedInputPath() const;

  // The program's folder holds exactly the program and `others`.
  void expectProgramFolderHolds(std::set<std::string> others) const;

  fs::path programName_;
  fs::path root_;
  fs::path program_;
  fs::path workDir_;
};

// logo_bin_info beside logo_wrap.
class LogoBinInfoTest : public LogoWrapTest {
 protected:
  void SetUp() override;
  // Standard error, too, unless only standard output is asked for.
  RunResult inspect(const std::vector<std::string>& args, bool withStandardError = true);
  // `image` written to a file first, then inspected with `options`.
  RunResult inspect(const Bytes& image, std::vector<std::string> options = {});

  fs::path info_;
};

#endif  // LOGO_WRAP_TESTS_LOGO_WRAP_FIXTURE_H_
