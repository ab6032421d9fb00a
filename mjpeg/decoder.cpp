// Context life and the frame loop: marker search and dispatch.
#include "mjpeg/decoder.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

#include "mjpeg/bit_reader.h"
#include "mjpeg/decoder_state.h"
#include "mjpeg/entropy_data.h"

namespace orvilo::mjpeg {
namespace {

enum Marker : int {
  kSof0 = 0xC0,
  kSof2 = 0xC2,
  kDht = 0xC4,
  kSoi = 0xD8,
  kEoi = 0xD9,
  kSos = 0xDA,
  kDqt = 0xDB,
  kDri = 0xDD,
  kApp0 = 0xE0,
  kApp15 = 0xEF,
  kCom = 0xFE,
};

bool EnsureWorkBuffer(DecoderContext& c, size_t length) {
  if (length > SIZE_MAX - kBitReaderPadding) return false;
  const size_t needed = length + kBitReaderPadding;
  if (needed <= c.workCapacity) return true;
  const size_t size = c.workBuffer == nullptr && needed < kMinWorkBuffer ? kMinWorkBuffer : needed;
  auto* grown = static_cast<uint8_t*>(std::realloc(c.workBuffer, size));
  if (grown == nullptr) return false;
  c.workBuffer = grown;
  c.workCapacity = size;
  return true;
}

// The end of the segment whose length field is at `at` when it is sound and inside the
// data, else 0.
size_t SegmentEnd(const uint8_t* data, size_t length, size_t at) {
  const size_t segment = SegmentLength(data + at, length - at);
  return segment != 0 ? at + segment : 0;
}

}  // namespace

DecoderContext* CreateContext(SimdLevel level) {
  auto* c = new (std::nothrow) DecoderContext;
  if (c == nullptr) return nullptr;
  c->level = SupportedSimdLevel(level);
  c->transform = &BlockTransformFor(c->level);
  c->decodeScan = c->level == SimdLevel::Avx2 ? DecodeScanBmi2 : DecodeScanGeneric;
  if (!InstallDefaultHuffmanTables(*c)) {
    delete c;
    return nullptr;
  }
  return c;
}

void DestroyContext(DecoderContext* context) {
  if (context == nullptr) return;
  std::free(context->planeBlock);
  std::free(context->workBuffer);
  delete context;
}

SimdLevel ContextSimdLevel(const DecoderContext* context) { return context->level; }

long DecodeFrame(DecoderContext* context, PlaneSet* planeSetOut, const uint8_t* data, size_t length) {
  if (context == nullptr || planeSetOut == nullptr) return -1;
  *planeSetOut = PlaneSet{};
  if (data == nullptr || length == 0 || length > static_cast<size_t>(LONG_MAX)) return -1;
  DecoderContext& c = *context;
  if (!EnsureWorkBuffer(c, length)) return -1;

  bool scanDecoded = false;
  size_t at = 0;
  while (at + 1 < length) {
    if (data[at] != 0xFF || data[at + 1] < 0xC0 || data[at + 1] == 0xFF) {
      ++at;
      continue;
    }
    const int marker = data[at + 1];
    at += 2;
    const uint8_t* segment = data + at;
    const size_t available = length - at;
    if ((marker >= kApp0 && marker <= kApp15) || marker == kCom) {
      // Nothing in them changes decoding; a bad length just ends the skip.
      const size_t end = SegmentEnd(data, length, at);
      if (end != 0) at = end;
      continue;
    }
    switch (marker) {
      case kSoi:
        c.restartInterval = 0;
        c.restartsToGo = 0;
        continue;
      case kEoi:
        if (scanDecoded) *planeSetOut = c.planes;
        return static_cast<long>(at);
      case kSof0:
      case kSof2:
        if (!ParseFrameHeader(c, segment, available, marker == kSof2)) return -1;
        break;
      case kDht:
        if (!ParseHuffmanTables(c, segment, available)) return -1;
        break;
      case kDqt:
        if (!ParseQuantisationTables(c, segment, available)) return -1;
        break;
      case kDri:
        if (!ParseRestartInterval(c, segment, available)) return -1;
        break;
      case kSos: {
        ScanHeader scan;
        if (!ParseScanHeader(c, segment, available, scan)) return -1;
        at = SegmentEnd(data, length, at);
        const CopiedEntropyData copied = CopyEntropyData(data + at, length - at, c.workBuffer);
        std::memset(c.workBuffer + copied.copied, 0, kBitReaderPadding);
        std::memset(c.coefficients, 0, sizeof c.coefficients);
        if (!c.decodeScan(c, scan, c.workBuffer, copied.copied)) return -1;
        scanDecoded = true;
        at += copied.consumed;
        // A baseline frame with restart intervals is complete after a scan of all its
        // components; cameras that send them may leave out the end-of-image marker.
        if (c.restartInterval != 0 && !c.frame.progressive && scan.componentCount == c.frame.componentCount) {
          *planeSetOut = c.planes;
          return static_cast<long>(at);
        }
        continue;
      }
      default:
        return -1;  // SOF1, SOF3, SOF5..15, DAC, DNL, a stray RSTn, ...
    }
    at = SegmentEnd(data, length, at);
    if (at == 0) return -1;  // unreachable: the parsers checked the length
  }
  return static_cast<long>(length);
}

}  // namespace orvilo::mjpeg
