#include "mjpeg/huffman_lookup.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orvilo::mjpeg;

namespace {

// Code of `length` bits placed at the top of a 64-bit window.
uint64_t Window(uint32_t code, int length) { return static_cast<uint64_t>(code) << (64 - length); }

}  // namespace

// Two codes of each length 1..16 except the last, which has one: long codes go through
// subtables with one step.
TEST(HuffmanTable, DecodesShortAndLongCanonicalCodes) {
  uint8_t counts[16] = {};
  std::vector<uint8_t> symbols;
  for (int length = 1; length <= 16; ++length) {
    counts[length - 1] = 1;
    symbols.push_back(static_cast<uint8_t>(length));
  }
  HuffmanTable table;
  ASSERT_TRUE(table.Build(counts, symbols.data(), false));
  // Canonical codes: 0, 10, 110, ..., 1111111111111110.
  for (int length = 1; length <= 16; ++length) {
    const uint32_t code = ((1u << length) - 1) - 1;
    int decodedLength = 0;
    EXPECT_EQ(table.DecodeSlow(Window(code, length), decodedLength), length);
    EXPECT_EQ(decodedLength, length);
  }
  int unused = 0;
  EXPECT_EQ(table.DecodeSlow(Window(0xFFFF, 16), unused), -1);  // all ones: no symbol
}

TEST(HuffmanTable, RefusesOversubscribedCodes) {
  uint8_t counts[16] = {3};  // three codes of one bit
  const uint8_t symbols[3] = {1, 2, 3};
  HuffmanTable table;
  EXPECT_FALSE(table.Build(counts, symbols, false));
  EXPECT_TRUE(table.IsEmpty());
}

// The fast table decodes code and magnitude bits together exactly as the slow path.
TEST(HuffmanTable, FastEntriesAgreeWithTheSlowPath) {
  uint8_t counts[16] = {0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7d};
  std::vector<uint8_t> symbols = {0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13,
                                  0x51, 0x61, 0x07, 0x22, 0x71, 0x14, 0x32, 0x81, 0x91, 0xa1, 0x08, 0x23, 0x42,
                                  0xb1, 0xc1, 0x15, 0x52, 0xd1, 0xf0};
  while (symbols.size() < 162) symbols.push_back(static_cast<uint8_t>(0x90 + symbols.size() % 10));
  HuffmanTable table;
  ASSERT_TRUE(table.Build(counts, symbols.data(), true));
  int fastEntries = 0;
  for (uint32_t index = 0; index < (1u << kFastBits); ++index) {
    const int32_t entry = table.Fast()[index];
    if (entry == 0) continue;
    if ((entry & 0xFF) == 0) {  // code only: its magnitude bits lie beyond the table
      int length = 0;
      const int symbol = table.DecodeSlow(Window(index, kFastBits), length);
      EXPECT_EQ((entry >> 16) & 0xFF, length);
      EXPECT_EQ((entry >> 24) & 15, symbol & 15);
      EXPECT_EQ((entry >> 8) & 0xFF, symbol >> 4);
      EXPECT_GT(length + (symbol & 15), kFastBits);
      continue;
    }
    ++fastEntries;
    const uint64_t window = Window(index, kFastBits);
    int length = 0;
    const int symbol = table.DecodeSlow(window, length);
    ASSERT_GE(symbol, 0);
    const int run = (entry >> 8) & 0xFF;
    if (symbol == 0) {
      EXPECT_EQ(run, kEndOfBlockRun);
      EXPECT_EQ(entry & 0xFF, length);
      continue;
    }
    const int size = symbol & 15;
    const int bits = size ? static_cast<int>((window << length) >> (64 - size)) : 0;
    EXPECT_EQ(run, symbol >> 4);
    EXPECT_EQ(entry & 0xFF, length + size);
    EXPECT_EQ(entry >> 16, size ? ExtendMagnitude(bits, size) : 0);
  }
  EXPECT_GT(fastEntries, 900);
}

TEST(HuffmanTable, ExtendsMagnitudes) {
  EXPECT_EQ(ExtendMagnitude(0, 1), -1);
  EXPECT_EQ(ExtendMagnitude(1, 1), 1);
  EXPECT_EQ(ExtendMagnitude(0, 3), -7);
  EXPECT_EQ(ExtendMagnitude(4, 3), 4);
  EXPECT_EQ(ExtendMagnitude(0, 0), 0);
}
