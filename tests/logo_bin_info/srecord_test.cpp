// logo_bin_info against SRecord, a peer written elsewhere: the images
// srec_cat writes (several records, gaps, an execution start address,
// checksums as sums of unsigned bytes), and its own flattening of them.
#include "core/image_check.h"
#include "logo_wrap_fixture.h"
#include "words/report_words.h"

namespace {

class SRecordTest : public LogoBinInfoTest {
 protected:
  void SetUp() override {
    LogoBinInfoTest::SetUp();
    if (std::system("srec_cat -version >/dev/null 2>&1") != 0)
      GTEST_SKIP() << "srec_cat is missing (Debian package srecord)";
  }

  // srec_cat with `args`, run in the test's folder.
  void srecCat(const std::string& args) {
    const RunResult result = runProgram(
        {"/bin/sh", {"-c", "cd \"$0\" && exec srec_cat " + args, root_.string()}, workDir_, {}, root_, true});
    ASSERT_EQ(result.exitStatus, 0) << result.output;
  }
};

// 01 02 FF 80 at 0x1000, "hello" at 0x2000, and a third piece at 0x2100.
const char kPieces[] =
    "a.bin -binary -offset 0x1000 b.bin -binary -offset 0x2000 c.bin -binary -offset 0x2100 "
    "-execution-start-address 0x1000";

TEST_F(SRecordTest, ReadsItsImagesAndFlattensThemAlike) {
  writeFile(root_ / "a.bin", "\x01\x02\xFF\x80");
  writeFile(root_ / "b.bin", "hello");
  writeFile(root_ / "c.bin", Bytes(300, '\xC3'));
  srecCat(std::string(kPieces) + " -o image.bin -msbin");
  srecCat("image.bin -msbin -offset -0x1000 -o flat.bin -binary");

  const RunResult result =
      inspect({"--extract", (root_ / "extracted.bin").string(), (root_ / "image.bin").string()});
  EXPECT_EQ(result.output,
            "sync bytes: 42 30 30 30 46 46 0A (as expected)\n"
            "image address: 0x00001000\n"
            "image length: 4652\n"
            "record 1: address 0x00001000, length 4, checksum 0x00000182 (unsigned bytes)\n"
            "record 2: address 0x00002000, length 5, checksum 0x00000214 (signed and unsigned bytes alike)\n"
            "record 3: address 0x00002100, length 300, checksum 0x0000E484 (unsigned bytes)\n"
            "end record: start address 0x00001000\n"
            "extracted: the memory contents to " +
                (root_ / "extracted.bin").string() + "\nOK\n");
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(readFile(root_ / "extracted.bin"), readFile(root_ / "flat.bin"));
}

struct DamagedCase {
  const char* name;
  std::function<void(Bytes&)> damage;
  std::string problem;
};

TEST_F(SRecordTest, NamesTheRecordOfADamagedImage) {
  writeFile(root_ / "a.bin", "\x01\x02\xFF\x80");
  writeFile(root_ / "b.bin", "hello");
  writeFile(root_ / "c.bin", "");
  srecCat("a.bin -binary -offset 0x1000 b.bin -binary -offset 0x2000 -o image.bin -msbin");
  const Bytes image = readFile(root_ / "image.bin");
  // Record 2's header starts after the image header, record 1's header and its 4 data bytes.
  const std::size_t record2 = 15 + 12 + 4;
  const DamagedCase cases[] = {
      {"checksum one more", [&](Bytes& bytes) { ++bytes[record2 + 8]; },
       "record 2: checksum 0x00000215 matches neither the signed-byte sum 0x00000214 nor the unsigned-byte "
       "sum "
       "0x00000214"},
      {"cut inside the second record", [&](Bytes& bytes) { bytes.resize(record2 + 12 + 2); },
       "record 2: data runs past the end of the file: 2 of 5 bytes present"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes damaged = image;
    c.damage(damaged);
    ImageCheck check({});
    check.feed(reinterpret_cast<const unsigned char*>(damaged.data()), damaged.size());
    check.finish();
    const std::string report = reportText(Words(), check.report().takeLines());
    EXPECT_NE(report.find("\nproblem: " + c.problem + "\n"), std::string::npos) << report;
    EXPECT_FALSE(check.consistent());
  }
}

}  // namespace
