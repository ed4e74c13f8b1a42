// The companions' files in-process: what only Windows does with names.
#include "companion_files_fixture.h"
#include "system/output_file.h"

namespace {

// Windows ignores case and drops trailing dots and spaces.
TEST_F(CompanionFilesTest, TellsTheNamesWindowsTakesForOne) {
  for (const std::string other : {"NEW.BIN", "new.bin.", "new.bin  ", "new.bin. ."})
    EXPECT_TRUE(namesSameFile(name("new.bin"), name(other))) << other;
}

}  // namespace
