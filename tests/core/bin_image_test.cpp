#include "core/bin_image.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "core/signed_sum.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct SumCase {
  const char* name;
  Bytes bytes;
  std::int64_t count;
  std::uint32_t expected;
};

TEST(SumSignedBytes, TakesBytesAsSignedAndWraps) {
  const SumCase cases[] = {
      {"empty", {}, 0, 0},
      {"worked example", {0x01, 0x02, 0xFF}, 3, 2},
      {"0x80 is -128", {0x80}, 1, 0xFFFFFF80u},
      {"0xFF is -1, not 255", {0xFF}, 1, 0xFFFFFFFFu},
      {"0x7F is 127", {0x7F}, 1, 0x7F},
      {"below zero wraps", {0xFF, 0xFF, 0x80}, 3, 0xFFFFFF7Eu},
      {"zero count ignores the bytes", {0x05}, 0, 0},
      {"negative count yields 0", {0x05, 0x06}, -1, 0},
      {"only the first count bytes", {0x05, 0x06, 0x07}, 2, 11},
      {"zeros add nothing", {0x03, 0x00, 0x00, 0x00}, 4, 3},
  };
  for (const auto& c : cases) EXPECT_EQ(sumSignedBytes(c.bytes.data(), c.count), c.expected) << c.name;
}

// Every form, not only the one this processor dispatches to: a lane that
// wrapped early would pass on short inputs.
TEST(AddBytes, WrapsModulo2To32OnLongInputs) {
  // 34,000,000 bytes: 127 each passes 2^32 upwards, -128 each passes it
  // downwards, and 128 each (unsigned) upwards.
  const std::size_t count = 34000000;
  const Bytes up(count, 0x7F), down(count, 0x80);
  for (const auto& form : availableByteSumForms()) {
    EXPECT_EQ(form.add(up.data(), count).asSigned, 23032704u) << form.name;      // 4318000000 - 2^32
    EXPECT_EQ(form.add(up.data(), count).asUnsigned, 23032704u) << form.name;
    EXPECT_EQ(form.add(down.data(), count).asSigned, 4237934592u) << form.name;  // 2^33 - 4352000000
    EXPECT_EQ(form.add(down.data(), count).asUnsigned, 57032704u) << form.name;  // 4352000000 - 2^32
  }
  EXPECT_EQ(sumSignedBytes(up.data(), count), 23032704u);
}

struct FillCase {
  unsigned char byte;
  std::size_t count;
  std::uint32_t asSigned, asUnsigned;
};

// Lengths about the vector widths (16 and 32 bytes) and a loop step (4
// vectors), so that each goes partly to the vectors and partly to the tail.
TEST(AddBytes, SumsHighBytesBothWaysAboutTheVectorWidths) {
  const FillCase cases[] = {
      {0x80, 15, 0xFFFFF880u, 1920},  {0xFF, 16, 0xFFFFFFF0u, 4080},  {0x80, 17, 0xFFFFF780u, 2176},
      {0xFF, 31, 0xFFFFFFE1u, 7905},  {0xC3, 32, 0xFFFFF860u, 6240},  {0x80, 33, 0xFFFFEF80u, 4224},
      {0xFF, 63, 0xFFFFFFC1u, 16065}, {0x80, 64, 0xFFFFE000u, 8192},  {0xFE, 65, 0xFFFFFF7Eu, 16510},
      {0x81, 127, 0xFFFFC0FFu, 16383}, {0xFF, 128, 0xFFFFFF80u, 32640}, {0x80, 129, 0xFFFFBF80u, 16512},
      {0x7F, 129, 16383, 16383},
  };
  for (const auto& form : availableByteSumForms())
    for (const auto& c : cases) {
      const Bytes bytes(c.count, c.byte);
      const ByteSums sums = form.add(bytes.data(), c.count);
      EXPECT_EQ(sums.asSigned, c.asSigned) << form.name << " " << c.count << " of " << int{c.byte};
      EXPECT_EQ(sums.asUnsigned, c.asUnsigned) << form.name << " " << c.count << " of " << int{c.byte};
    }
}

// Every vector form must give the plain sums, whatever the alignment and
// length of the data (so whatever is left for the tails).
TEST(AddBytes, EveryFormAgreesForEveryAlignmentAndLength) {
  std::mt19937 random(7);
  Bytes data(1024 + 64);
  for (auto& byte : data) byte = static_cast<unsigned char>(random());
  for (const auto& form : availableByteSumForms())
    for (std::size_t offset = 0; offset < 33; ++offset) {
      std::int64_t asSigned = 0, asUnsigned = 0;
      for (std::size_t length = 0; offset + length <= data.size(); ++length) {
        const ByteSums sums = form.add(data.data() + offset, length);
        ASSERT_EQ(sums.asSigned, static_cast<std::uint32_t>(asSigned))
            << form.name << " offset " << offset << " length " << length;
        ASSERT_EQ(sums.asUnsigned, static_cast<std::uint32_t>(asUnsigned))
            << form.name << " offset " << offset << " length " << length;
        if (offset + length == data.size()) break;
        asSigned += static_cast<signed char>(data[offset + length]);
        asUnsigned += data[offset + length];
      }
    }
}

struct HeaderCase {
  const char* name;
  std::uint32_t length;
  std::uint32_t checksum;
  Bytes expected;
};

TEST(EncodeHeader, LaysOutTheLogoHeaderByteForByte) {
  const HeaderCase cases[] = {
      {"empty image", 0, 0, {0x42, 0x30, 0x30, 0x30, 0x46, 0x46, 0x0A, 0x00, 0x00,
                             0x80, 0x87, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80,
                             0x87, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
      {"01 02 FF", 3, 2, {0x42, 0x30, 0x30, 0x30, 0x46, 0x46, 0x0A, 0x00, 0x00, 0x80, 0x87, 0x03, 0x00, 0x00,
                          0x00, 0x00, 0x00, 0x80, 0x87, 0x03, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00}},
      {"every byte of a field counts", 0x01020304, 0xFFFFFF80u, {0x42, 0x30, 0x30, 0x30, 0x46, 0x46, 0x0A,
                                                                 0x00, 0x00, 0x80, 0x87, 0x04, 0x03, 0x02,
                                                                 0x01, 0x00, 0x00, 0x80, 0x87, 0x04, 0x03,
                                                                 0x02, 0x01, 0x80, 0xFF, 0xFF, 0xFF}},
  };
  for (const auto& c : cases) {
    Bytes out(kHeaderSize + 1, 0xEE);
    encodeHeader(makeLogoHeader(c.length, c.checksum), out.data());
    EXPECT_EQ(Bytes(out.begin(), out.begin() + kHeaderSize), c.expected) << c.name;
    EXPECT_EQ(out[kHeaderSize], 0xEE) << c.name << ": wrote past the header";
  }
}

// The lister reads what the writer wrote, field by field.
TEST(DecodeHeader, IsTheInverseOfEncodeHeader) {
  const BinImageHeader header = {{{1, 2, 3, 4, 5, 6, 7}, 0x11223344, 0x55667788},
                                 {0x99AABBCC, 0xDDEEFF00, 0x0F1E2D3C}};
  Bytes bytes(kHeaderSize);
  encodeHeader(header, bytes.data());
  const ImageHeader image = decodeImageHeader(bytes.data());
  const RecordHeader record = decodeRecordHeader(bytes.data() + kImageHeaderSize);
  EXPECT_EQ(image.sync, header.image.sync);
  EXPECT_EQ(image.address, header.image.address);
  EXPECT_EQ(image.length, header.image.length);
  EXPECT_EQ(record.address, header.record.address);
  EXPECT_EQ(record.length, header.record.length);
  EXPECT_EQ(record.checksum, header.record.checksum);
}

}  // namespace
