// The JPEG decoding core of the Motion-JPEG decoder plug-in.
//
// Written for camera frames: three components, 4:2:2 or 4:2:0 sampling, 8-bit samples,
// baseline Huffman coding, usually without Huffman tables of their own (the default
// tables of T.81 Annex K then apply). Progressive frames get their first passes only.
// Every result is defined by the portable integer arithmetic in block_transform.h and
// colour_conversion.h; the SIMD forms give identical bytes.
//
// A context serves one decoder for its whole life and is used by one thread at a time.
// Huffman and quantisation tables, the restart interval and the buffers persist from
// frame to frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "mjpeg/simd_level.h"

namespace orvilo::mjpeg {

// The decoded planes of the last frame. Planes lie one after another in the context's
// plane block; each stride equals its plane's width in bytes. The fourth plane is never
// filled. Valid until the next DecodeFrame or DestroyContext on the same context.
struct PlaneSet {
  int width = 0;
  int height = 0;
  uint8_t* y = nullptr;
  uint8_t* cb = nullptr;
  uint8_t* cr = nullptr;
  uint8_t* fourth = nullptr;
  int yStride = 0;
  int cbStride = 0;
  int crStride = 0;
  int fourthStride = 0;
};

struct DecoderContext;

// A new context with the default Huffman tables installed, or null when memory runs out.
// `level` picks the block transform (portable for SimdLevel::None); it is capped at what
// the processor offers.
DecoderContext* CreateContext(SimdLevel level = BestSimdLevel());
void DestroyContext(DecoderContext* context);

struct ContextDeleter {
  void operator()(DecoderContext* context) const { DestroyContext(context); }
};
using ContextPtr = std::unique_ptr<DecoderContext, ContextDeleter>;

// The transform the context uses.
SimdLevel ContextSimdLevel(const DecoderContext* context);

// Decodes one frame from `data`. Returns the number of bytes consumed (> 0) on success
// and -1 when the frame is malformed, unsupported or memory runs out. `planeSetOut` is
// zeroed first and filled only when a complete frame was decoded: a positive result
// with an empty plane set means the data ended before the frame did.
//
// Accepted: SOF0 (baseline) and SOF2 (progressive; refinement scans are skipped) with
// three components, Y sampled at most 2x2 and both chroma components alike, giving
// chroma planes of 4:2:2 (half width; Y 2x1 or 2x2 with chroma 1x1 or 1x2), 4:2:0 (half
// width and height) or 4:4:4 (full size), at most kMaxDimension pixels each way.
// Everything else returns -1.
long DecodeFrame(DecoderContext* context, PlaneSet* planeSetOut, const uint8_t* data, size_t length);

// Width and height limit of a frame; larger frames are refused before any allocation.
inline constexpr int kMaxDimension = 16384;
// Limit of the padded luma area (width x height rounded up to 16), 64 Mi samples.
inline constexpr size_t kMaxLumaArea = size_t{1} << 26;

}  // namespace orvilo::mjpeg
