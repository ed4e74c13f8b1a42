// A fresh folder per test holding a copy of the built logo_wrap, and a second
// folder to start it from.
#ifndef LOGO_WRAP_TESTS_LOGO_WRAP_FIXTURE_H_
#define LOGO_WRAP_TESTS_LOGO_WRAP_FIXTURE_H_

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "words/wrap_messages.h"
#include "program_runner.h"

#ifdef LOGO_WRAP_SANITIZE
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

// logo_wrap's message for a failure, GBK bytes as it prints them.
inline std::string message(WrapOutcome outcome) { return messageFor(outcome); }

// Three data bytes summing to 2 as signed bytes, and their wrapped image.
inline const std::string kWorkedExampleInput = "01 02 FF";
inline const std::string kWorkedExampleImage =
    "42 30 30 30 46 46 0A 00 00 80 87 03 00 00 00 00 00 80 87 03 00 00 00 02 00 00 00 01 02 FF";

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
  // Standard error, too, unless it is asked for apart.
  RunResult inspect(const std::vector<std::string>& args, bool withStandardError = true);
  // `image` written to a file first, then inspected with `options`.
  RunResult inspect(const Bytes& image, std::vector<std::string> options = {});

  fs::path info_;
};

#endif  // LOGO_WRAP_TESTS_LOGO_WRAP_FIXTURE_H_
