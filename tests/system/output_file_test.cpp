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
