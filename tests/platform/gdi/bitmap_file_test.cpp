#include "platform/gdi/bitmap_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <functional>

#include "platform/sys/file_io.h"
#include "tests/platform/gdi/labelled_picture.h"
#include "tests/platform/sys/child_process.h"
#include "tests/platform/sys/temporary_folder.h"

using namespace orvilo::gdi;
using orvilo::testing::Labels;
using orvilo::testing::LabelledPicture;
using orvilo::testing::TemporaryFolder;

namespace {

std::uint32_t U32(const std::string& bytes, std::size_t at) {
  std::uint32_t value;
  std::memcpy(&value, bytes.data() + at, 4);
  return value;
}
std::uint16_t U16(const std::string& bytes, std::size_t at) {
  std::uint16_t value;
  std::memcpy(&value, bytes.data() + at, 2);
  return value;
}
void PutU32(std::string& bytes, std::size_t at, std::uint32_t value) { std::memcpy(bytes.data() + at, &value, 4); }

}  // namespace

struct LayoutCase {
  int width, height, bitCount;
  std::uint32_t offBits, size;
  friend void PrintTo(const LayoutCase& c, std::ostream* out) {
    *out << c.width << "x" << c.height << "x" << c.bitCount;
  }
};

class BitmapFileLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(BitmapFileLayout, HasEveryFieldOfTheCapturedImageFile) {
  const LayoutCase& c = GetParam();
  const PackedDib dib = LabelledPicture(c.width, c.height, c.bitCount);
  const std::string file = EncodeBitmapFile(dib);
  ASSERT_EQ(file.size(), c.size);
  EXPECT_EQ(U16(file, 0), 0x4D42);
  EXPECT_EQ(file.substr(0, 2), "BM");
  EXPECT_EQ(U32(file, 2), 14 + 40 + 4 * dib.colourCount() + dib.pixelBytes());  // bfSize
  EXPECT_EQ(U16(file, 6), 0);
  EXPECT_EQ(U16(file, 8), 0);
  EXPECT_EQ(U32(file, 10), c.offBits);  // bfOffBits = 14 + biSize + 4 × biClrUsed
  EXPECT_EQ(U32(file, 14), 40u);         // biSize
  EXPECT_EQ(file.substr(14), std::string(reinterpret_cast<const char*>(dib.data()), dib.size()));
}

INSTANTIATE_TEST_SUITE_P(Cases, BitmapFileLayout,
                         ::testing::Values(LayoutCase{3, 2, 24, 54, 54 + 24},  // camera snapshots: pixels at 54
                                           LayoutCase{640, 480, 24, 54, 54 + 640 * 480 * 3},
                                           LayoutCase{3, 2, 32, 54, 54 + 24},
                                           LayoutCase{3, 2, 8, 54 + 1024, 54 + 1024 + 8}));

TEST(BitmapFile, RoundTripsThroughAFile) {
  TemporaryFolder folder;
  for (const int bits : {8, 24, 32}) {
    const PackedDib dib = LabelledPicture(5, 3, bits);
    const std::string path = folder / ("20240102030405-" + std::to_string(bits) + ".bmp");
    ASSERT_TRUE(WriteBitmapFile(path, dib));
    DibError error = DibError::Io;
    const PackedDib back = ReadBitmapFile(path, &error);
    EXPECT_EQ(error, DibError::None);
    ASSERT_EQ(back.size(), dib.size());
    EXPECT_EQ(std::memcmp(back.data(), dib.data(), dib.size()), 0);
  }
}

TEST(BitmapFile, ASecondCaptureReplacesTheFirstAndAReadOnlyFolderKeepsIt) {
  TemporaryFolder folder;
  const std::string path = folder / "20240102030405.bmp";
  ASSERT_TRUE(WriteBitmapFile(path, LabelledPicture(3, 2, 24)));
  ASSERT_TRUE(WriteBitmapFile(path, LabelledPicture(4, 4, 32)));
  EXPECT_EQ(ReadBitmapFile(path).width(), 4);
  EXPECT_FALSE(WriteBitmapFile(folder / "none/x.bmp", LabelledPicture(3, 2, 24)));
  EXPECT_FALSE(WriteBitmapFile(path, PackedDib()));
  chmod(folder.path().c_str(), 0555);
  const int written = orvilo::testing::RunInChild(orvilo::testing::Restriction::Unprivileged, [&] {
    return WriteBitmapFile(path, LabelledPicture(3, 2, 24)) ? 1 : 0;
  });
  EXPECT_EQ(written, 0);
  EXPECT_EQ(ReadBitmapFile(path).width(), 4);
}

TEST(BitmapFile, ReadsTopDownFilesAndLongerHeadersFromOtherPrograms) {
  const PackedDib dib = LabelledPicture(3, 2, 32);
  // A top-down file with a 124-byte header and BI_BITFIELDS in BGRX order.
  std::string file(14 + 124, '\0');
  BitmapInfoHeader info = dib.header();
  info.biSize = 124;
  info.biHeight = -2;
  info.biCompression = 3;
  std::memcpy(file.data() + 14, &info, 40);
  PutU32(file, 54, 0x00FF0000);
  PutU32(file, 58, 0x0000FF00);
  PutU32(file, 62, 0x000000FF);
  for (int y = 0; y < 2; ++y) file.append(reinterpret_cast<const char*>(dib.Row(y)), dib.stride());
  BitmapFileHeader header{0x4D42, static_cast<std::uint32_t>(file.size()), 0, 0, 14 + 124};
  std::memcpy(file.data(), &header, 14);

  DibError error = DibError::Io;
  const PackedDib read = DecodeBitmapFile(file, &error);
  ASSERT_EQ(error, DibError::None);
  EXPECT_EQ(read.header().biSize, 40u);
  EXPECT_EQ(read.height(), 2);
  EXPECT_EQ(read.header().biCompression, kBiRgb);
  EXPECT_EQ(Labels(read), Labels(dib));

  PutU32(file, 54, 0x0000F800);  // 5-6-5 style masks: not plain BGRX
  EXPECT_TRUE(DecodeBitmapFile(file, &error).IsEmpty());
  EXPECT_EQ(error, DibError::Unsupported);
}

struct DamageCase {
  const char* name;
  std::function<void(std::string&)> damage;
  DibError error;
  friend void PrintTo(const DamageCase& c, std::ostream* out) { *out << c.name; }
};

class BitmapFileDamage : public ::testing::TestWithParam<DamageCase> {};

TEST_P(BitmapFileDamage, IsRefusedWithItsReason) {
  std::string file = EncodeBitmapFile(LabelledPicture(3, 2, 24));
  GetParam().damage(file);
  DibError error = DibError::None;
  EXPECT_TRUE(DecodeBitmapFile(file, &error).IsEmpty());
  EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BitmapFileDamage,
    ::testing::Values(
        DamageCase{"Empty", [](std::string& f) { f.clear(); }, DibError::Truncated},
        DamageCase{"OneByte", [](std::string& f) { f.resize(1); }, DibError::Truncated},
        DamageCase{"FileHeaderOnly", [](std::string& f) { f.resize(14); }, DibError::Truncated},
        DamageCase{"InfoHeaderCut", [](std::string& f) { f.resize(53); }, DibError::Truncated},
        DamageCase{"LastByteMissing", [](std::string& f) { f.pop_back(); }, DibError::Truncated},
        DamageCase{"NoPixels", [](std::string& f) { f.resize(54); }, DibError::Truncated},
        DamageCase{"NotBm", [](std::string& f) { f[0] = 'P'; }, DibError::NotBitmap},
        DamageCase{"OffBitsInsideHeader", [](std::string& f) { PutU32(f, 10, 20); }, DibError::BadHeader},
        DamageCase{"OffBitsBeyondEnd", [](std::string& f) { PutU32(f, 10, 0xFFFFFFF0); }, DibError::Truncated},
        DamageCase{"OffBitsLeavesTooFewRows", [](std::string& f) { PutU32(f, 10, 60); }, DibError::Truncated},
        DamageCase{"CoreHeader", [](std::string& f) { PutU32(f, 14, 12); }, DibError::Unsupported},
        DamageCase{"OddHeaderSize", [](std::string& f) { PutU32(f, 14, 200); }, DibError::BadHeader},
        DamageCase{"HugeHeaderSize", [](std::string& f) { PutU32(f, 14, 0xFFFFFFFF); }, DibError::BadHeader},
        DamageCase{"HugeSize", [](std::string& f) { PutU32(f, 18, 100000); PutU32(f, 22, 100000); }, DibError::TooLarge},
        DamageCase{"TallerThanTheData", [](std::string& f) { PutU32(f, 22, 1000); }, DibError::Truncated},
        DamageCase{"BitfieldsOn24Bits", [](std::string& f) { PutU32(f, 30, 3); }, DibError::Unsupported},
        DamageCase{"HugeTable", [](std::string& f) { PutU32(f, 46, 0x40000000); }, DibError::BadHeader},
        DamageCase{"TableBeyondEnd", [](std::string& f) { PutU32(f, 46, 200); }, DibError::Truncated}));

TEST(BitmapFile, AMissingFileIsAnInputError) {
  DibError error = DibError::None;
  EXPECT_TRUE(ReadBitmapFile("/nonexistent/x.bmp", &error).IsEmpty());
  EXPECT_EQ(error, DibError::Io);
}
