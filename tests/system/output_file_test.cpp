// The companions' files in-process: what a finished or abandoned write
// leaves, and which names put two outputs in one place.
#include "system/output_file.h"

#include "companion_files_fixture.h"

namespace {

// An existing file keeps what it had until the new one is whole and in place.
TEST_F(CompanionFilesTest, ReplacesAnOutputOnlyOnceItIsWhole) {
  for (const bool committed : {false, true}) {
    SCOPED_TRACE(committed ? "committed" : "discarded");
    write("out.bin", "an older file");
    OutputFile out;
    ASSERT_FALSE(out.open(name("out.bin"), input_.get()));
    const std::string data = "new bytes";
    EXPECT_TRUE(out.writeAt(0, reinterpret_cast<const unsigned char*>(data.data()), data.size()));
    EXPECT_EQ(read("out.bin"), "an older file");
    EXPECT_EQ(entries(), 4u) << "the temporary file beside it";
    if (committed) {
      EXPECT_FALSE(out.commit());
    } else {
      out.discard();
    }
    EXPECT_EQ(read("out.bin"), committed ? data : "an older file");
    EXPECT_EQ(entries(), 3u) << "the temporary file is gone";
  }
}

// Two outputs take their names together or not at all: when the second
// cannot, as a folder took its name meanwhile, the first name gets back what
// it had, or nothing where it had nothing, and no temporary file or second
// name stays.
TEST_F(CompanionFilesTest, PutsOutputsInPlaceTogetherOrNotAtAll) {
  // Whether a file had the first name before; whether the second is blocked.
  const std::pair<bool, bool> cases[] = {{true, false}, {true, true}, {false, true}};
  for (const auto& [firstThere, secondBlocked] : cases) {
    SCOPED_TRACE(std::to_string(firstThere) + std::to_string(secondBlocked));
    fs::remove(root_ / "first.bin");
    if (firstThere) write("first.bin", "an older file");
    OutputFile first, second;
    ASSERT_FALSE(first.open(name("first.bin"), input_.get()));
    ASSERT_FALSE(second.open(name("second.bin"), input_.get()));
    EXPECT_TRUE(first.writeAt(0, reinterpret_cast<const unsigned char*>("new"), 3));
    if (secondBlocked) fs::create_directory(root_ / "second.bin");
    const auto failed = commitTogether({&first, &second});
    EXPECT_EQ(failed ? failed->index : 9, secondBlocked ? 1u : 9);
    EXPECT_EQ(read("first.bin"), !secondBlocked ? "new" : firstThere ? "an older file" : "");
    EXPECT_EQ(fs::exists(root_ / "first.bin"), firstThere || !secondBlocked);
    EXPECT_EQ(entries(), 2u + fs::exists(root_ / "first.bin") + fs::exists(root_ / "second.bin"));
    fs::remove_all(root_ / "second.bin");
  }
}

// A leading dot starts a name, not its extension.
TEST_F(CompanionFilesTest, FindsAnUnusedNameBesideAFile) {
  write("logo.bin", "");
  const std::pair<std::string, std::string> cases[] = {{"logo.png", "logo (2).bin"}, {".logo", ".logo.bin"}};
  for (const auto& [file, expected] : cases) EXPECT_EQ(unusedNameBeside(name(file), ".bin"), name(expected));
}

TEST_F(CompanionFilesTest, TellsTwoNamesOfOnePlace) {
  write("one.bin", "");
  fs::create_hard_link(root_ / "one.bin", root_ / "hard.bin");
  const std::pair<std::string, std::string> same[] = {{"one.bin", "one.bin"},
                                                      {"one.bin", "sub/../one.bin"},
                                                      {"one.bin", "hard.bin"},
                                                      {"new.bin", "sub/../new.bin"}};
  const std::pair<std::string, std::string> apart[] = {{"one.bin", "two.bin"}, {"new.bin", "sub/new.bin"}};
  for (const auto& [one, other] : same)
    EXPECT_TRUE(namesSameFile(name(one), name(other))) << one << " " << other;
  for (const auto& [one, other] : apart)
    EXPECT_FALSE(namesSameFile(name(one), name(other))) << one << " " << other;
}

}  // namespace
