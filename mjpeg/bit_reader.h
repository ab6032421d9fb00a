// Reads the de-stuffed entropy-coded data most significant bit first through a 64-bit
// window. The buffer holds no stuffing, so whole words load without looking for
// markers; it must be followed by kBitReaderPadding readable bytes (zeros), which also
// bound how far a corrupt stream can run before the decoder notices.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace orvilo::mjpeg {

// Enough for one MCU of the most blocks (twelve, of at most 64 symbols of 31 bits each)
// plus a full window load.
inline constexpr size_t kBitReaderPadding = 8192;

class BitReader {
 public:
  BitReader(const uint8_t* data, size_t length) : start_(data), next_(data), bitLength_(length * 8) {}

  // Tops the window up when it holds fewer than 32 bits: enough for any one symbol
  // with its magnitude bits (at most 31).
  inline void Refill() {
    if (count_ < 32) Load();
  }
  // Tops the window up to at least 56 bits.
  inline void Load() {
    uint64_t word;
    std::memcpy(&word, next_, 8);
    window_ |= __builtin_bswap64(word) >> count_;
    next_ += (63 - count_) >> 3;
    count_ |= 56;
  }
  inline uint32_t Peek(int bits) const { return static_cast<uint32_t>(window_ >> (64 - bits)); }
  inline uint64_t Window() const { return window_; }
  inline void Skip(int bits) {
    window_ <<= bits;
    count_ -= bits;
  }
  // Reads 0..16 bits; the caller refilled before the symbol these bits belong to.
  inline int Get(int bits) {
    if (bits == 0) return 0;
    const int value = static_cast<int>(window_ >> (64 - bits));
    Skip(bits);
    return value;
  }

  // Bits consumed so far.
  size_t Position() const { return static_cast<size_t>(next_ - start_) * 8 - count_; }
  // True once more bits were consumed than the data holds.
  bool Overrun() const { return Position() > bitLength_; }

  // Moves to the next byte boundary and steps over a restart marker (0xFF 0xD0..0xD7)
  // when one is there.
  void SkipRestartMarker() {
    Load();
    Skip(count_ & 7);
    if ((Peek(16) & 0xFFF8u) == 0xFFD0u) Skip(16);
  }

 private:
  const uint8_t* start_;
  const uint8_t* next_;
  size_t bitLength_;
  uint64_t window_ = 0;
  int count_ = 0;
};

}  // namespace orvilo::mjpeg
