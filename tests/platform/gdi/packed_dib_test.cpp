#include "platform/gdi/packed_dib.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <vector>

#include "tests/platform/gdi/labelled_picture.h"

using namespace orvilo::gdi;
using orvilo::testing::Labels;
using orvilo::testing::LabelledPicture;

namespace {
std::vector<std::uint8_t> Bytes(const PackedDib& dib) { return {dib.data(), dib.data() + dib.size()}; }
}  // namespace

struct FormatCase {
  int width, height, bitCount;
  std::size_t stride;
  std::uint32_t colours;
  friend void PrintTo(const FormatCase& c, std::ostream* out) {
    *out << c.width << "x" << c.height << "x" << c.bitCount;
  }
};

class PackedDibFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(PackedDibFormat, IsHeaderTableAndPaddedBottomUpRowsInOneBlock) {
  const FormatCase& c = GetParam();
  const PackedDib dib = PackedDib::Create(c.width, c.height, c.bitCount);
  ASSERT_FALSE(dib.IsEmpty());
  const BitmapInfoHeader& h = dib.header();
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biWidth, c.width);
  EXPECT_EQ(h.biHeight, c.height);
  EXPECT_EQ(h.biPlanes, 1);
  EXPECT_EQ(h.biBitCount, c.bitCount);
  EXPECT_EQ(h.biCompression, kBiRgb);
  EXPECT_EQ(dib.stride(), c.stride);
  EXPECT_EQ(h.biSizeImage, c.stride * c.height);
  EXPECT_EQ(h.biClrUsed, c.colours);
  EXPECT_EQ(dib.size(), 40 + 4 * c.colours + c.stride * c.height);
  EXPECT_EQ(dib.pixels(), dib.data() + 40 + 4 * c.colours);
  EXPECT_EQ(dib.Row(c.height - 1), dib.pixels());  // the bottom row is stored first
  EXPECT_EQ(dib.Row(0), dib.pixels() + (c.height - 1) * c.stride);
}

INSTANTIATE_TEST_SUITE_P(Cases, PackedDibFormat,
                         ::testing::Values(FormatCase{3, 2, 24, 12, 0}, FormatCase{4, 2, 24, 12, 0},
                                           FormatCase{3, 2, 32, 12, 0}, FormatCase{3, 2, 8, 4, 256},
                                           FormatCase{1920, 1080, 32, 7680, 0}, FormatCase{5, 1, 8, 8, 256}));

TEST(PackedDib, MakesCanonicalCopiesOfRawBytes) {
  const PackedDib original = LabelledPicture(3, 2, 24);
  const PackedDib copy = PackedDib::FromBytes(original.data(), original.size());
  EXPECT_EQ(Bytes(copy), Bytes(original));
  const PackedDib clone = original.Clone();
  EXPECT_EQ(Bytes(clone), Bytes(original));
  EXPECT_NE(clone.data(), original.data());

  // A header with biSizeImage 0 and an 8-bit table cut short by biClrUsed.
  std::vector<std::uint8_t> raw(40 + 2 * 4 + 4 * 2, 0);
  BitmapInfoHeader header{40, 3, 2, 1, 8, kBiRgb, 0, 0, 0, 2, 0};
  std::memcpy(raw.data(), &header, 40);
  raw[40] = 7;          // first table entry, blue
  raw[48 + 4 + 1] = 1;  // top row, second pixel: index 1
  const PackedDib indexed = PackedDib::FromBytes(raw.data(), raw.size());
  ASSERT_FALSE(indexed.IsEmpty());
  EXPECT_EQ(indexed.colourCount(), 2u);
  EXPECT_EQ(indexed.pixelBytes(), 8u);
  EXPECT_EQ(indexed.colourTable()[0].rgbBlue, 7);
  EXPECT_EQ(indexed.Row(0)[1], 1);
}

TEST(PackedDib, TurnsTopDownRowsBottomUp) {
  const PackedDib bottomUp = LabelledPicture(3, 2, 32);
  BitmapInfoHeader header = bottomUp.header();
  header.biHeight = -2;
  std::vector<std::uint8_t> topDown;
  for (int y = 0; y < 2; ++y) topDown.insert(topDown.end(), bottomUp.Row(y), bottomUp.Row(y) + bottomUp.stride());
  const PackedDib converted = PackedDib::FromParts(header, nullptr, topDown.data(), topDown.size());
  ASSERT_FALSE(converted.IsEmpty());
  EXPECT_EQ(converted.height(), 2);
  EXPECT_EQ(Labels(converted), Labels(bottomUp));
  EXPECT_EQ(Bytes(converted), Bytes(bottomUp));
}

TEST(PackedDib, TakesACameraFrameAndItsHeaderAndDropsExcessBytes) {
  // The frame's header says biSizeImage = frame length, which may exceed the rows.
  BitmapInfoHeader header{40, 4, 2, 1, 24, kBiRgb, 40, 0, 0, 0, 0};
  std::vector<std::uint8_t> frame(40, 9);
  const PackedDib dib = PackedDib::FromParts(header, nullptr, frame.data(), frame.size());
  ASSERT_FALSE(dib.IsEmpty());
  EXPECT_EQ(dib.pixelBytes(), 24u);
  EXPECT_EQ(dib.size(), 64u);
}

struct HostileCase {
  const char* name;
  std::function<void(BitmapInfoHeader&)> change;
  DibError error;
  friend void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.name; }
};

class PackedDibHostile : public ::testing::TestWithParam<HostileCase> {};

TEST_P(PackedDibHostile, IsRefusedBeforeAnythingIsAllocated) {
  const PackedDib good = LabelledPicture(3, 2, 24);
  std::vector<std::uint8_t> raw(good.data(), good.data() + good.size());
  BitmapInfoHeader header;
  std::memcpy(&header, raw.data(), 40);
  GetParam().change(header);
  std::memcpy(raw.data(), &header, 40);
  DibError error = DibError::None;
  EXPECT_TRUE(PackedDib::FromBytes(raw.data(), raw.size(), &error).IsEmpty());
  EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PackedDibHostile,
    ::testing::Values(
        HostileCase{"CoreHeader", [](auto& h) { h.biSize = 12; }, DibError::BadHeader},
        HostileCase{"TwoPlanes", [](auto& h) { h.biPlanes = 2; }, DibError::BadHeader},
        HostileCase{"SixteenBits", [](auto& h) { h.biBitCount = 16; }, DibError::Unsupported},
        HostileCase{"OneBit", [](auto& h) { h.biBitCount = 1; }, DibError::Unsupported},
        HostileCase{"Rle8", [](auto& h) { h.biCompression = 1; }, DibError::Unsupported},
        HostileCase{"ZeroWidth", [](auto& h) { h.biWidth = 0; }, DibError::BadHeader},
        HostileCase{"NegativeWidth", [](auto& h) { h.biWidth = -3; }, DibError::BadHeader},
        HostileCase{"ZeroHeight", [](auto& h) { h.biHeight = 0; }, DibError::BadHeader},
        HostileCase{"MinimumHeight", [](auto& h) { h.biHeight = INT32_MIN; }, DibError::BadHeader},
        HostileCase{"HugeWidth", [](auto& h) { h.biWidth = INT32_MAX; }, DibError::TooLarge},
        HostileCase{"HugeArea", [](auto& h) { h.biWidth = h.biHeight = 32767; h.biBitCount = 32; }, DibError::TooLarge},
        HostileCase{"HugeTable", [](auto& h) { h.biClrUsed = 0xFFFFFFFF; }, DibError::BadHeader},
        HostileCase{"MoreRowsThanBytes", [](auto& h) { h.biHeight = 3; }, DibError::Truncated},
        HostileCase{"TableBeyondTheEnd", [](auto& h) { h.biClrUsed = 256; }, DibError::Truncated}));

TEST(PackedDib, RefusesTooFewBytesAndBadSizes) {
  DibError error = DibError::None;
  const std::uint8_t few[10] = {};
  EXPECT_TRUE(PackedDib::FromBytes(few, sizeof few, &error).IsEmpty());
  EXPECT_EQ(error, DibError::Truncated);
  EXPECT_TRUE(PackedDib::FromBytes(nullptr, 100, &error).IsEmpty());
  EXPECT_TRUE(PackedDib::Create(0, 5, 24, &error).IsEmpty());
  EXPECT_TRUE(PackedDib::Create(5, -5, 24, &error).IsEmpty());
  EXPECT_TRUE(PackedDib::Create(5, 5, 4, &error).IsEmpty());
  EXPECT_EQ(error, DibError::Unsupported);
  EXPECT_TRUE(PackedDib::Create(32767, 32767, 32, &error).IsEmpty());
  EXPECT_EQ(error, DibError::TooLarge);
}

TEST(PackedDib, MovesOwnership) {
  PackedDib first = LabelledPicture(3, 2, 24);
  const std::uint8_t* block = first.data();
  PackedDib second = std::move(first);
  EXPECT_TRUE(first.IsEmpty());
  EXPECT_EQ(first.size(), 0u);
  EXPECT_EQ(second.data(), block);
  first = std::move(second);
  EXPECT_EQ(first.data(), block);
}
