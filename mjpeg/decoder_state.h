// The decoder context's contents, shared by the frame parser and the scan decoder.
#pragma once

#include <cstddef>
#include <cstdint>

#include "mjpeg/block_transform.h"
#include "mjpeg/decoder.h"
#include "mjpeg/huffman_lookup.h"

namespace orvilo::mjpeg {

inline constexpr int kMaxComponents = 4;
inline constexpr int kMaxBlocksPerMcu = 12;  // 4:4:4 coded as 2x2 blocks of each component
inline constexpr size_t kMinWorkBuffer = 0x300000;

struct FrameComponent {
  int id = 0;
  int h = 1;
  int v = 1;
  int tq = 0;
  uint8_t* plane = nullptr;
  int planeWidth = 0;
  int planeHeight = 0;
};

struct FrameHeader {
  bool present = false;  // a frame header was parsed in this context's life
  bool progressive = false;
  int width = 0;
  int height = 0;
  int componentCount = 0;
  FrameComponent components[kMaxComponents];
  int hmax = 1;
  int vmax = 1;
};

struct ScanComponent {
  int frameIndex = 0;
  int td = 0;
  int ta = 0;
};

struct ScanHeader {
  int componentCount = 0;
  ScanComponent components[kMaxComponents];
  int ss = 0;
  int se = 63;
  int ah = 0;
  int al = 0;
};

using DecodeScanFunction = bool (*)(DecoderContext& c, const ScanHeader& scan, const uint8_t* data, size_t length);

struct DecoderContext {
  SimdLevel level = SimdLevel::None;
  const BlockTransform* transform = nullptr;
  DecodeScanFunction decodeScan = nullptr;

  FrameHeader frame;
  int mcuColumns = 0;
  int mcuRows = 0;

  // Quantisation tables in the transform's coefficient order, and the same values by
  // zig-zag position (what the entropy decoder multiplies with).
  uint16_t quant[4][64] = {};
  int16_t quantZigZag[4][64] = {};
  HuffmanTable dcTables[4];
  HuffmanTable acTables[4];

  int restartInterval = 0;
  int restartsToGo = 0;

  uint8_t* planeBlock = nullptr;
  size_t planeCapacity = 0;
  uint8_t* workBuffer = nullptr;
  size_t workCapacity = 0;

  PlaneSet planes;

  alignas(32) int16_t coefficients[kMaxBlocksPerMcu][64] = {};
};

// The length field of the segment at `p` (its first byte) when the field is at least 2 and
// the whole segment lies within the `available` bytes, else 0.
inline size_t SegmentLength(const uint8_t* p, size_t available) {
  if (available < 2) return 0;
  const size_t length = (static_cast<size_t>(p[0]) << 8) | p[1];
  return length >= 2 && length <= available ? length : 0;
}

// Segment parsers; `p` points at the segment's length field, `available` bytes follow.
// Each returns false for a malformed or unsupported segment.
bool ParseQuantisationTables(DecoderContext& c, const uint8_t* p, size_t available);
bool ParseHuffmanTables(DecoderContext& c, const uint8_t* p, size_t available);
bool ParseFrameHeader(DecoderContext& c, const uint8_t* p, size_t available, bool progressive);
bool ParseRestartInterval(DecoderContext& c, const uint8_t* p, size_t available);
bool ParseScanHeader(const DecoderContext& c, const uint8_t* p, size_t available, ScanHeader& scan);

// Decodes one scan from de-stuffed data (followed by kBitReaderPadding zero bytes).
// Two builds of the same code: any x86-64, and AVX2 + BMI2 processors.
bool DecodeScanGeneric(DecoderContext& c, const ScanHeader& scan, const uint8_t* data, size_t length);
bool DecodeScanBmi2(DecoderContext& c, const ScanHeader& scan, const uint8_t* data, size_t length);

// Installs the T.81 Annex K tables as DC 0/1 and AC 0/1.
bool InstallDefaultHuffmanTables(DecoderContext& c);

}  // namespace orvilo::mjpeg
