// Huffman decoding tables.
//
// HuffmanLookup: a 512-entry root indexed by the next 9 bits of the stream; an entry
// with a positive length gives the symbol and the bits to consume; a negative length -k
// links to a subtable (starting at the entry's symbol field, an index into the same
// array) indexed by the k bits after the root's 9; its entries give the symbol and the
// bits beyond the 9. Unreached entries hold symbol 0xFFFF and length 0. AC tables store
// each symbol plus 16 (end-of-block is 16, the zero run 0xF0 is 256).
//
// On top of it each table keeps a fast table indexed by the next kFastBits bits that
// decodes a symbol together with its magnitude bits when both fit, the path almost
// every coefficient of a camera frame takes.
#pragma once

#include <cstdint>
#include <vector>

namespace orvilo::mjpeg {

struct HuffmanEntry {
  uint16_t symbol;
  int16_t length;
};

inline constexpr int kRootBits = 9;
inline constexpr int kFastBits = 11;
inline constexpr uint16_t kNoSymbol = 0xFFFF;
inline constexpr int kAcSymbolOffset = 16;

// Fast entry, three kinds:
// - complete (bits 0..7 non-zero): bits 0..7 = bits to consume (code and magnitude),
//   bits 8..15 = zero run before the coefficient (kEndOfBlockRun for end-of-block; 0 for
//   DC), bits 16..31 = the signed value;
// - code only (bits 0..7 zero, bits 16..23 non-zero): the code fits but its magnitude
//   bits do not: bits 8..15 = run, bits 16..23 = code length, bits 24..27 = magnitude size;
// - 0: a longer code, or none: take the slow path.
inline constexpr int kEndOfBlockRun = 0x80;

// Pair entry of AC tables: up to two complete symbols that together fit the fast bits.
// 0 = use the fast entry; else bits 0..7 = bits to consume, bits 8..15 = first run
// (kEndOfBlockRun for end-of-block), bits 16..31 = first value, bits 32..39 = second run
// (kEndOfBlockRun for end-of-block), bits 40..55 = second value, bit 56 = a second
// coefficient is present. Without a second symbol the second run and value are 0.
inline constexpr int kPairSecondShift = 32;
inline constexpr uint64_t kPairHasSecond = uint64_t{1} << 56;

class HuffmanTable {
 public:
  // Builds from the 16 code-length counts and the symbols in canonical order. Returns
  // false (and leaves the table empty) when codes collide or memory runs out.
  bool Build(const uint8_t counts[16], const uint8_t* symbols, bool ac);
  bool IsEmpty() const { return entries_.empty(); }

  // Decodes one symbol from the top 16 bits of `window`: returns the symbol (without
  // the AC offset) and sets `length`, or returns -1 for a code that no symbol has.
  int DecodeSlow(uint64_t window, int& length) const;

  const int32_t* Fast() const { return fast_; }
  const uint64_t* Pairs() const { return pairs_; }

 private:
  void Clear();
  bool BuildFast(bool ac);
  void BuildPairs();

  bool ac_ = false;
  std::vector<HuffmanEntry> entries_;
  int32_t fast_[1 << kFastBits] = {};
  uint64_t pairs_[1 << kFastBits] = {};
};

// The value of `bits` (s bits read from the stream) as a signed magnitude category s.
inline int ExtendMagnitude(int bits, int s) { return s == 0 ? 0 : (bits < (1 << (s - 1)) ? bits - (1 << s) + 1 : bits); }

}  // namespace orvilo::mjpeg
