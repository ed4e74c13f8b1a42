// The companions' files in-process: what is refused before anything is
// written or read, and how much is read.
#include <sys/stat.h>
#include <unistd.h>

#include "companion_files_fixture.h"
#include "posix_files.h"
#include "system/output_file.h"

namespace {

struct RefusalCase {
  std::string name;
  bool output;
  std::error_code refusal;
};

// Nothing is opened and nothing left behind: a FIFO would wake its reader,
// a device may be a board, and the input must not be replaced.
TEST_F(CompanionFilesTest, RefusesWhatIsNoRegularFileOrIsTheInput) {
  ASSERT_EQ(mkfifo(name("fifo").c_str(), 0644), 0);
  ASSERT_TRUE(makeSocket(root_ / "socket"));
  fs::create_symlink("input.bin", root_ / "link.bin");
  fs::create_symlink("nowhere/new.bin", root_ / "lost.bin");
  fs::create_symlink("loop.bin", root_ / "loop.bin");
  fs::create_hard_link(root_ / "input.bin", root_ / "hard.bin");
  write("read_only.bin", "");
  fs::permissions(root_ / "read_only.bin", fs::perms::owner_read);
  const RefusalCase cases[] = {
      // Also for root, whom the system lets write anything.
      {name("read_only.bin"), true, std::make_error_code(std::errc::permission_denied)},
      {name("sub"), true, FileProblem::kIsFolder},
      {name("fifo"), true, FileProblem::kIsFifo},
      {"/dev/null", true, FileProblem::kIsDevice},
      {name("socket"), true, FileProblem::kIsSocket},
      {name("input.bin"), true, FileProblem::kIsTheInput},
      {name("sub/../input.bin"), true, FileProblem::kIsTheInput},
      {name("link.bin"), true, FileProblem::kIsTheInput},
      {name("hard.bin"), true, FileProblem::kIsTheInput},
      // A link to a file whose folder is missing: the link stays as it is.
      {name("lost.bin"), true, std::make_error_code(std::errc::no_such_file_or_directory)},
      {name("loop.bin"), true, std::make_error_code(std::errc::too_many_symbolic_link_levels)},
      {name("sub"), false, FileProblem::kIsFolder},
      {"/dev/zero", false, FileProblem::kIsDevice},
      {name("socket"), false, FileProblem::kIsSocket},
  };
  const std::size_t before = entries();
  for (const auto& c : cases) {
    OutputFile out;
    InputFile in;
    EXPECT_EQ(c.output ? out.open(c.name, input_.get()) : openReadable(c.name, in), c.refusal) << c.name;
    EXPECT_EQ(entries(), before) << c.name << ": a temporary file was left";
  }
  EXPECT_EQ(read("input.bin"), "the input");
}

struct PlaceCase {
  std::string name;
  std::string replaced;  // the file that takes the new bytes
};

// Through a link the file it leads to is replaced, or made where it is
// missing, and the link stays; each link of a chain is read from its own
// folder; a name too long for the temporary one's suffix still has room
// beside it, cut between characters; an owner and permissions stay.
TEST_F(CompanionFilesTest, PutsTheOutputWhereItsNameLeads) {
  const std::string longest(255, 'n');
  std::string longestChinese;
  for (int i = 0; i < 85; ++i) longestChinese += "\xE6\xA0\x87";
  write("target.bin", "an older file");
  fs::create_symlink("target.bin", root_ / "link.bin");
  fs::create_symlink("sub/../new.bin", root_ / "dangling.bin");
  fs::create_symlink("sub/inner.bin", root_ / "outer.bin");
  fs::create_symlink("deep.bin", root_ / "sub/inner.bin");
  EXPECT_TRUE(namesSameFile(name("dangling.bin"), name("new.bin")));
  const bool asRoot = geteuid() == 0;
  if (asRoot) {
    ASSERT_EQ(chown(name("target.bin").c_str(), 65534, 65534), 0);
  }
  fs::permissions(root_ / "target.bin", fs::perms::owner_read | fs::perms::owner_write);
  const PlaceCase cases[] = {{"link.bin", "target.bin"},
                             {"dangling.bin", "new.bin"},
                             {"outer.bin", "sub/deep.bin"},
                             {longest, longest},
                             {longestChinese, longestChinese}};
  for (const auto& c : cases) {
    OutputFile out;
    ASSERT_FALSE(out.open(name(c.name), input_.get())) << c.name;
    for (const auto& entry : fs::directory_iterator(root_))
      if (const auto cut = entry.path().filename().string().find(".partial-"); cut != std::string::npos) {
        EXPECT_NE(static_cast<unsigned char>(c.replaced[cut]) & 0xC0, 0x80) << entry.path();
      }
    EXPECT_TRUE(out.writeAt(0, reinterpret_cast<const unsigned char*>("new"), 3));
    EXPECT_FALSE(out.commit());
    EXPECT_EQ(read(c.replaced), "new") << c.name;
  }
  EXPECT_TRUE(fs::is_symlink(root_ / "link.bin"));
  EXPECT_TRUE(fs::is_symlink(root_ / "dangling.bin"));
  struct stat status;
  ASSERT_EQ(stat(name("target.bin").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);
  if (asRoot) {
    EXPECT_EQ(status.st_uid, 65534u);
  } else {
    std::printf("skipped the owner: giving a file away needs root\n");
  }
}

// A regular file is measured first; a stream has no size to tell, so it is
// read until it passes the limit.
TEST_F(CompanionFilesTest, ReadsUpToItsLimitAndNoMore) {
  write("four.bin", "1234");
  for (const bool stream : {false, true})
    for (const std::uint64_t limit : {4, 3}) {
      InputFile file;
      if (stream) {
        int ends[2];
        ASSERT_EQ(pipe(ends), 0);
        ASSERT_EQ(::write(ends[1], "1234", 4), 4);
        close(ends[1]);
        file.reset(fdopen(ends[0], "rb"));
      } else {
        ASSERT_FALSE(openReadable(name("four.bin"), file));
      }
      std::vector<unsigned char> bytes;
      const std::error_code expected = limit == 4 ? std::error_code() : FileProblem::kTooLarge;
      EXPECT_EQ(readAtMost(file.get(), limit, bytes), expected) << stream << " " << limit;
      if (!expected) {
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "1234") << stream;
      }
    }
}

}  // namespace
