#include "mjpeg/huffman_lookup.h"

#include <cstddef>
#include <new>

namespace orvilo::mjpeg {
namespace {

struct Code {
  int length;
  uint32_t bits;
  uint8_t symbol;
};

}  // namespace

void HuffmanTable::Clear() {
  entries_.clear();
  for (auto& e : fast_) e = 0;
  for (auto& e : pairs_) e = 0;
}

bool HuffmanTable::Build(const uint8_t counts[16], const uint8_t* symbols, bool ac) {
  Clear();
  ac_ = ac;
  // Canonical codes: consecutive within a length, doubled when the length grows.
  std::vector<Code> codes;
  uint32_t next = 0;
  int index = 0;
  try {
    for (int length = 1; length <= 16; ++length) {
      for (int i = 0; i < counts[length - 1]; ++i) {
        if (next >= (1u << length)) return false;  // more codes than the length holds
        codes.push_back({length, next++, symbols[index++]});
      }
      next <<= 1;
    }
    entries_.assign(1 << kRootBits, HuffmanEntry{kNoSymbol, 0});
    // Root: short codes fill their ranges; long codes mark their prefix with the
    // largest number of bits they need beyond the root.
    for (const Code& code : codes) {
      const uint16_t symbol = static_cast<uint16_t>(code.symbol + (ac ? kAcSymbolOffset : 0));
      if (code.length <= kRootBits) {
        const int shift = kRootBits - code.length;
        for (uint32_t e = code.bits << shift; e < ((code.bits + 1) << shift); ++e) {
          if (entries_[e].length != 0) return Clear(), false;
          entries_[e] = {symbol, static_cast<int16_t>(code.length)};
        }
      } else {
        HuffmanEntry& root = entries_[code.bits >> (code.length - kRootBits)];
        if (root.length > 0) return Clear(), false;
        const int extra = code.length - kRootBits;
        if (-root.length < extra) root.length = static_cast<int16_t>(-extra);
      }
    }
    // Subtables, one per marked prefix, indexed by its largest extra length.
    for (uint32_t prefix = 0; prefix < (1u << kRootBits); ++prefix) {
      HuffmanEntry& root = entries_[prefix];
      if (root.length >= 0) continue;
      root.symbol = static_cast<uint16_t>(entries_.size());
      entries_.resize(entries_.size() + (size_t{1} << -root.length), HuffmanEntry{kNoSymbol, 0});
    }
    for (const Code& code : codes) {
      if (code.length <= kRootBits) continue;
      const HuffmanEntry root = entries_[code.bits >> (code.length - kRootBits)];
      const int width = -root.length;
      const int extra = code.length - kRootBits;
      const uint32_t low = code.bits & ((1u << extra) - 1);
      const int shift = width - extra;
      const uint16_t symbol = static_cast<uint16_t>(code.symbol + (ac ? kAcSymbolOffset : 0));
      for (uint32_t e = low << shift; e < ((low + 1) << shift); ++e) {
        HuffmanEntry& entry = entries_[root.symbol + e];
        if (entry.length != 0) return Clear(), false;
        entry = {symbol, static_cast<int16_t>(extra)};
      }
    }
  } catch (const std::bad_alloc&) {
    Clear();
    return false;
  }
  return BuildFast(ac);
}

int HuffmanTable::DecodeSlow(uint64_t window, int& length) const {
  if (entries_.empty()) return -1;
  const HuffmanEntry root = entries_[window >> (64 - kRootBits)];
  if (root.length > 0) {
    length = root.length;
    return root.symbol - (ac_ ? kAcSymbolOffset : 0);
  }
  if (root.length == 0) return -1;
  const int width = -root.length;
  const uint32_t index = static_cast<uint32_t>((window << kRootBits) >> (64 - width));
  const HuffmanEntry sub = entries_[root.symbol + index];
  if (sub.length == 0) return -1;
  length = kRootBits + sub.length;
  return sub.symbol - (ac_ ? kAcSymbolOffset : 0);
}

bool HuffmanTable::BuildFast(bool ac) {
  for (uint32_t index = 0; index < (1u << kFastBits); ++index) {
    const uint64_t window = static_cast<uint64_t>(index) << (64 - kFastBits);
    int length = 0;
    const int symbol = DecodeSlow(window, length);
    fast_[index] = 0;
    if (symbol < 0 || length > kFastBits) continue;
    int run = 0;
    int size = symbol;
    if (ac) {
      if (symbol == 0) {
        fast_[index] = (kEndOfBlockRun << 8) | length;
        continue;
      }
      run = symbol >> 4;
      size = symbol & 15;
    } else if (size > 15) {
      continue;  // rejected on the slow path
    }
    if (length + size > kFastBits) {
      fast_[index] = static_cast<int32_t>((static_cast<uint32_t>(size) << 24) | (length << 16) | (run << 8));
      continue;
    }
    const int bits = static_cast<int>((index >> (kFastBits - length - size)) & ((1u << size) - 1));
    const int value = ExtendMagnitude(bits, size);
    fast_[index] = static_cast<int32_t>((static_cast<uint32_t>(value) << 16) | (run << 8) | (length + size));
  }
  if (ac) BuildPairs();
  return true;
}

void HuffmanTable::BuildPairs() {
  constexpr uint32_t mask = (1u << kFastBits) - 1;
  for (uint32_t index = 0; index <= mask; ++index) {
    const int32_t first = fast_[index];
    pairs_[index] = 0;
    if ((first & 0xFF) == 0) continue;
    const int firstLength = first & 0xFF;
    const int firstRun = (first >> 8) & 0xFF;
    uint64_t entry = static_cast<uint64_t>(static_cast<uint32_t>(first)) & 0xFFFF'FFFFu;
    // A second symbol only after a coefficient, and only when it is decoded from the bits
    // the index holds (its length fits what is left of them).
    if (firstRun != kEndOfBlockRun) {
      const int32_t second = fast_[(index << firstLength) & mask];
      const int secondLength = second & 0xFF;
      if (secondLength != 0 && firstLength + secondLength <= kFastBits) {
        const int secondRun = (second >> 8) & 0xFF;
        const uint64_t secondValue = static_cast<uint16_t>(static_cast<uint32_t>(second) >> 16);
        entry = (entry & ~uint64_t{0xFF}) | static_cast<uint64_t>(firstLength + secondLength);
        entry |= (static_cast<uint64_t>(secondRun) << kPairSecondShift) | (secondValue << 40);
        if (secondRun != kEndOfBlockRun) entry |= kPairHasSecond;
      }
    }
    pairs_[index] = entry;
  }
}

}  // namespace orvilo::mjpeg
