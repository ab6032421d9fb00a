// Malformed and unsupported frames: a clear -1 (or an empty picture for data that ends
// early), never a crash or a hang.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "mjpeg/decoder.h"
#include "test_frames.h"

using namespace orvilo::mjpeg;
using namespace orvilo::mjpeg::testing;

namespace {

using Bytes = std::vector<uint8_t>;

// Offset of the first marker `code` (its 0xFF byte) before the scan data.
size_t Find(const Bytes& jpeg, int code) {
  size_t at = 2;
  while (at + 3 < jpeg.size()) {
    const int marker = jpeg[at + 1];
    if (marker == code) return at;
    if (marker == 0xDA) break;
    at += 2 + ((jpeg[at + 2] << 8) | jpeg[at + 3]);
  }
  ADD_FAILURE() << "marker " << code << " not found";
  return 0;
}

void Insert(Bytes& jpeg, size_t at, const Bytes& bytes) { jpeg.insert(jpeg.begin() + static_cast<long>(at), bytes.begin(), bytes.end()); }

Bytes ValidFrame(bool huffmanTables = true) {
  EncodeOptions options;
  options.quality = 75;
  options.huffmanTables = huffmanTables;
  return EncodeFrame(MakeCameraPicture(64, 48, 2), options);
}

struct Case {
  const char* name;
  std::function<void(Bytes&)> edit;
};

// A DHT segment with the given table byte, counts and symbol count (symbols 0, 1, 2...).
Bytes Dht(uint8_t tableByte, std::vector<uint8_t> counts, int symbols, int extra = 0) {
  counts.resize(16);
  const int length = 2 + 1 + 16 + symbols + extra;
  Bytes b;
  b.reserve(static_cast<size_t>(length) + 2);
  for (uint8_t v : {uint8_t{0xFF}, uint8_t{0xC4}, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length), tableByte}) {
    b.push_back(v);
  }
  for (uint8_t count : counts) b.push_back(count);
  for (int i = 0; i < symbols + extra; ++i) b.push_back(static_cast<uint8_t>(i));
  return b;
}

const Case kCases[] = {
    {"Precision12", [](Bytes& j) { j[Find(j, 0xC0) + 4] = 12; }},
    {"ZeroHeight", [](Bytes& j) { j[Find(j, 0xC0) + 5] = j[Find(j, 0xC0) + 6] = 0; }},
    {"ZeroWidth", [](Bytes& j) { j[Find(j, 0xC0) + 7] = j[Find(j, 0xC0) + 8] = 0; }},
    {"HostileSize", [](Bytes& j) { for (int i = 5; i <= 8; ++i) j[Find(j, 0xC0) + i] = 0xFF; }},
    {"NoComponents", [](Bytes& j) { j[Find(j, 0xC0) + 9] = 0; }},
    {"FiveComponents", [](Bytes& j) { j[Find(j, 0xC0) + 9] = 5; }},
    {"Greyscale", [](Bytes& j) { j[Find(j, 0xC0) + 9] = 1; }},
    {"QuantTableNumber4", [](Bytes& j) { j[Find(j, 0xC0) + 12] = 4; }},
    {"ZeroChromaSampling", [](Bytes& j) { j[Find(j, 0xC0) + 14] = 0x00; }},
    {"ChromaSampledAboveLuma", [](Bytes& j) { j[Find(j, 0xC0) + 14] = 0x22; }},
    {"Sixteen bitQuantTable", [](Bytes& j) { j[Find(j, 0xDB) + 4] = 0x10; }},
    {"QuantTableTarget4", [](Bytes& j) { j[Find(j, 0xDB) + 4] = 0x04; }},
    {"HuffmanClass2", [](Bytes& j) { j[Find(j, 0xC4) + 4] = 0x20; }},
    {"HuffmanTarget4", [](Bytes& j) { j[Find(j, 0xC4) + 4] = 0x04; }},
    {"HuffmanSymbolsPastSegment", [](Bytes& j) { j[Find(j, 0xC4) + 5 + 15] = 200; }},
    {"MoreThan256Symbols", [](Bytes& j) { Insert(j, Find(j, 0xC4), Dht(0x11, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255}, 257)); }},
    {"HuffmanLeftovers", [](Bytes& j) { Insert(j, Find(j, 0xC4), Dht(0x00, {0, 1}, 1, 5)); }},
    {"CollidingCodes", [](Bytes& j) { Insert(j, Find(j, 0xC4), Dht(0x00, {3}, 3)); }},
    {"RestartLength5", [](Bytes& j) { Insert(j, Find(j, 0xC0), {0xFF, 0xDD, 0x00, 0x05, 0x00, 0x01, 0x00}); }},
    {"ScanComponentNotInFrame", [](Bytes& j) { j[Find(j, 0xDA) + 5] = 9; }},
    {"ScanLengthMismatch", [](Bytes& j) { j[Find(j, 0xDA) + 3] += 2; }},
    {"ScanTableNumber4", [](Bytes& j) { j[Find(j, 0xDA) + 6] = 0x40; }},
    {"ArithmeticCoding", [](Bytes& j) { j[Find(j, 0xC0) + 1] = 0xC9; }},
    {"ExtendedSequential", [](Bytes& j) { j[Find(j, 0xC0) + 1] = 0xC1; }},
    {"StrayRestartMarker", [](Bytes& j) { Insert(j, Find(j, 0xDB), {0xFF, 0xD3}); }},
    {"CorruptScanData", [](Bytes& j) { for (size_t i = Find(j, 0xDA) + 14; i + 2 < j.size(); ++i) j[i] = 0xFE; }},
    {"ScanDataRunsOut", [](Bytes& j) { j.erase(j.begin() + static_cast<long>(Find(j, 0xDA) + 40), j.end() - 2); }},
};

class MalformedFrame : public ::testing::TestWithParam<Case> {};

}  // namespace

TEST_P(MalformedFrame, IsRefused) {
  Bytes jpeg = ValidFrame();
  GetParam().edit(jpeg);
  ContextPtr context(CreateContext());
  PlaneSet planes;
  EXPECT_EQ(DecodeFrame(context.get(), &planes, jpeg.data(), jpeg.size()), -1);
  EXPECT_EQ(planes.y, nullptr);
  // The context stays usable.
  const Bytes good = ValidFrame();
  EXPECT_GT(DecodeFrame(context.get(), &planes, good.data(), good.size()), 0);
  EXPECT_NE(planes.y, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Headers, MalformedFrame, ::testing::ValuesIn(kCases), [](const auto& info) {
  std::string name = info.param.name;
  std::erase(name, ' ');
  return name;
});

// A scan with no frame header in the context's life has nowhere to go.
TEST(DecodeFrame, RefusesAScanBeforeAnyFrameHeader) {
  Bytes jpeg = ValidFrame();
  const size_t sof = Find(jpeg, 0xC0);
  jpeg.erase(jpeg.begin() + static_cast<long>(sof), jpeg.begin() + static_cast<long>(sof + 2 + 17));
  ContextPtr context(CreateContext());
  PlaneSet planes;
  EXPECT_EQ(DecodeFrame(context.get(), &planes, jpeg.data(), jpeg.size()), -1);
}

// Data that ends before the frame does: bytes consumed, but no picture.
TEST(DecodeFrame, DataEndingEarlyGivesNoPicture) {
  const Bytes jpeg = ValidFrame();
  for (size_t cut : {size_t{1}, size_t{2}, size_t{30}, Find(jpeg, 0xDA), jpeg.size() - 2}) {
    ContextPtr context(CreateContext());
    PlaneSet planes;
    const long result = DecodeFrame(context.get(), &planes, jpeg.data(), cut);
    EXPECT_NE(result, 0) << cut;
    EXPECT_EQ(planes.y, nullptr) << cut;
  }
  // No marker at all, and nothing.
  const Bytes noise(100, 0x42);
  ContextPtr context(CreateContext());
  PlaneSet planes;
  EXPECT_EQ(DecodeFrame(context.get(), &planes, noise.data(), noise.size()), 100);
  EXPECT_EQ(planes.y, nullptr);
  EXPECT_EQ(DecodeFrame(context.get(), &planes, noise.data(), 0), -1);
}

// APPn and COM segments with odd lengths are skipped without effect.
TEST(DecodeFrame, IgnoresOddApplicationSegments) {
  const Bytes plain = ValidFrame();
  Bytes odd = plain;
  Insert(odd, 2, {0xFF, 0xE1, 0x00, 0x02, 0xFF, 0xFE, 0x00, 0x03, 0x41, 0xFF, 0xEE, 0x00, 0x09, 'A', 'd', 'o', 'b'});
  ContextPtr a(CreateContext()), b(CreateContext());
  PlaneSet first, second;
  ASSERT_GT(DecodeFrame(a.get(), &first, plain.data(), plain.size()), 0);
  ASSERT_GT(DecodeFrame(b.get(), &second, odd.data(), odd.size()), 0);
  ASSERT_NE(second.y, nullptr);
  EXPECT_EQ(0, std::memcmp(first.y, second.y, static_cast<size_t>(second.cr - second.y)));
}
