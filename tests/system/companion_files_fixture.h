// A fresh folder per test, holding the file a companion reads.
#ifndef LOGO_WRAP_TESTS_SYSTEM_COMPANION_FILES_FIXTURE_H_
#define LOGO_WRAP_TESTS_SYSTEM_COMPANION_FILES_FIXTURE_H_

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "system/file_access.h"

namespace fs = std::filesystem;

class CompanionFilesTest : public testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("companion_files_" + std::to_string(std::random_device()()));
    fs::create_directories(root_ / "sub");
    write("input.bin", "the input");
    ASSERT_FALSE(openReadable(name("input.bin"), input_));
  }
  void TearDown() override {
    input_.reset();
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  std::string name(const std::string& leaf) const { return (root_ / leaf).string(); }
  void write(const std::string& leaf, const std::string& text) const {
    std::ofstream(root_ / leaf, std::ios::binary) << text;
  }
  std::string read(const std::string& leaf) const {
    std::ifstream in(root_ / leaf, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::size_t entries() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(root_), {}));
  }

  fs::path root_;
  InputFile input_;
};

#endif  // LOGO_WRAP_TESTS_SYSTEM_COMPANION_FILES_FIXTURE_H_
