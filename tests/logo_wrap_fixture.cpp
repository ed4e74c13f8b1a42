#include "logo_wrap_fixture.h"

#include <fstream>
#include <iterator>
#include <random>

Bytes readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const fs::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

Bytes fromHex(const std::string& hex) {
  Bytes bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 3)
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

std::set<std::string> namesIn(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename().string());
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

void LogoWrapTest::moveProgramTo(const fs::path& dir) {
  fs::create_directories(dir);
  fs::rename(program_, dir / programName_);
  program_ = dir / programName_;
}

RunResult LogoWrapTest::run(const std::vector<std::string>& args,
                            const std::vector<std::string>& environment) {
  return runAs(program_.string(), args, environment);
}

RunResult LogoWrapTest::runAs(const std::string& typedProgram, const std::vector<std::string>& args,
                              const std::vector<std::string>& environment) {
  return runProgram({typedProgram, args, workDir_, environment, root_});
}

std::string LogoWrapTest::separatorReport() const {
  const std::string path = program_.string();
  const auto backslash = path.rfind('\\');
  if (backslash == std::string::npos) return "Result:\t\\ not found\n";
  return "Result:\tlast \\ found at position " + std::to_string(backslash + 1) + "\n\n";
}

std::string LogoWrapTest::failureOutput(const std::string& middle, const std::string& message) const {
  return consoleText(separatorReport() + middle + message + "\n") + kPausePrompt;
}

std::string LogoWrapTest::composedInputPath() const {
  std::string path = program_.string();
  return path.replace(path.size() - programName_.size(), std::string::npos, "logo.bin");
}

void LogoWrapTest::expectProgramFolderHolds(std::set<std::string> others) const {
  others.insert(programName_);
  EXPECT_EQ(namesIn(program_.parent_path()), others);
}
