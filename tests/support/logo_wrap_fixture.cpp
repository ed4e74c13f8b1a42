#include "logo_wrap_fixture.h"

#include <random>

Bytes fromHex(const std::string& hex) {
  Bytes bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 3)
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

std::set<std::string> namesIn(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename().u8string());
  return names;
}

void LogoWrapTest::SetUp() {
  root_ = fs::temp_directory_path() / ("logo_wrap_test_" + std::to_string(std::random_device()()));
  workDir_ = root_ / "cwd";
  fs::create_directories(workDir_);
  fs::create_directories(root_ / "app");
  programName_ = std::string("logo_wrap") + kExecutableSuffix;
  program_ = copyBuiltProgram("logo_wrap");
}

fs::path LogoWrapTest::copyBuiltProgram(const std::string& name) {
  const std::string fileName = name + kExecutableSuffix;
  const fs::path copy = root_ / "app" / fileName;
  fs::copy_file(builtProgramsDir() / fileName, copy);
  return copy;
}

void LogoWrapTest::TearDown() {
  std::error_code ignored;
  for (const auto& entry : fs::recursive_directory_iterator(root_, ignored))
    if (!entry.is_symlink())
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(root_, ignored);
}

void LogoBinInfoTest::SetUp() {
  LogoWrapTest::SetUp();
  info_ = copyBuiltProgram("logo_bin_info");
}

RunResult LogoBinInfoTest::inspect(const std::vector<std::string>& args, bool withStandardError) {
  RunRequest request{info_.string(), args, workDir_, {}, root_, withStandardError};
  if (!withStandardError) request.standardErrorFile = root_ / "stderr.txt";
  return runProgram(request);
}

RunResult LogoBinInfoTest::inspect(const Bytes& image, std::vector<std::string> options) {
  writeFile(root_ / "image.bin", image);
  options.push_back((root_ / "image.bin").string());
  return inspect(options);
}

void LogoWrapTest::moveProgramTo(const fs::path& dir, const fs::path& name) {
  fs::create_directories(dir);
  if (!name.empty()) programName_ = name;
  fs::rename(program_, dir / programName_);
  program_ = dir / programName_;
}

RunResult LogoWrapTest::run(const std::vector<std::string>& args,
                            const std::vector<std::string>& environment) {
  return runAs(program_.string(), args, environment);
}

RunResult LogoWrapTest::runAs(const std::string& typedProgram, const std::vector<std::string>& args,
                              const std::vector<std::string>& environment) {
  return runProgram({typedProgram, args, workDir_, environment, root_, false, true});
}

std::string LogoWrapTest::separatorReport() const {
  // Found among the path's characters, counted in the bytes the program sees.
  const fs::path::string_type& path = program_.native();
  const auto backslash = path.rfind('\\');
  if (backslash == fs::path::string_type::npos) return "Result:\t\\ not found\n";
  const std::size_t position = consoleBytes(path.substr(0, backslash + 1)).size();
  return "Result:\tlast \\ found at position " + std::to_string(position) + "\n\n";
}

std::string LogoWrapTest::failureOutput(const std::string& middle, const std::string& message) const {
  return consoleText(separatorReport() + middle + message + "\n") + pausePrompt();
}

std::string LogoWrapTest::composedInputPath() const {
  const fs::path::string_type& path = program_.native();
  const std::size_t directoryEnd = path.size() - program_.filename().native().size();
  return consoleBytes(path.substr(0, directoryEnd) + fs::path("logo.bin").native());
}

void LogoWrapTest::expectProgramFolderHolds(std::set<std::string> others) const {
  others.insert(programName_.u8string());
  EXPECT_EQ(namesIn(program_.parent_path()), others);
}
