// Parsers of the header segments: DQT, DHT, SOF0/SOF2, DRI, SOS.
#include <cstdlib>
#include <cstring>

#include "mjpeg/decoder_state.h"

namespace orvilo::mjpeg {
namespace {

inline int Read16(const uint8_t* p) { return (p[0] << 8) | p[1]; }

// Planes of every frame component, one after another in the plane block.
bool LayOutPlanes(DecoderContext& c) {
  FrameHeader& f = c.frame;
  const size_t paddedWidth = (static_cast<size_t>(f.width) + 15) & ~size_t{15};
  const size_t paddedHeight = (static_cast<size_t>(f.height) + 15) & ~size_t{15};
  size_t total = 0;
  for (int i = 0; i < f.componentCount; ++i) {
    FrameComponent& component = f.components[i];
    component.planeWidth = static_cast<int>(paddedWidth >> (f.hmax - component.h));
    component.planeHeight = static_cast<int>(paddedHeight >> (f.vmax - component.v));
    total += static_cast<size_t>(component.planeWidth) * component.planeHeight;
  }
  if (total > c.planeCapacity) {
    std::free(c.planeBlock);
    c.planeCapacity = 0;
    c.planeBlock = static_cast<uint8_t*>(std::calloc(total, 1));
    if (c.planeBlock == nullptr) return false;
    c.planeCapacity = total;
  } else if (f.progressive) {
    // Progressive passes add to the planes; the previous frame must not show through.
    std::memset(c.planeBlock, 0, total);
  }
  uint8_t* next = c.planeBlock;
  for (int i = 0; i < f.componentCount; ++i) {
    f.components[i].plane = next;
    next += static_cast<size_t>(f.components[i].planeWidth) * f.components[i].planeHeight;
  }
  PlaneSet& planes = c.planes;
  planes = PlaneSet{};
  planes.width = f.width;
  planes.height = f.height;
  planes.y = f.components[0].plane;
  planes.cb = f.components[1].plane;
  planes.cr = f.components[2].plane;
  planes.yStride = f.components[0].planeWidth;
  planes.cbStride = f.components[1].planeWidth;
  planes.crStride = f.components[2].planeWidth;
  return true;
}

}  // namespace

bool ParseQuantisationTables(DecoderContext& c, const uint8_t* p, size_t available) {
  const size_t length = SegmentLength(p, available);
  if (length < 2) return false;
  size_t at = 2;
  while (length - at > 64) {
    const int pq = p[at] >> 4;
    const int tq = p[at] & 15;
    if (pq != 0 || tq > 3) return false;
    ++at;
    for (int k = 0; k < 64; ++k) {
      c.quant[tq][c.transform->order[k]] = p[at + k];
      c.quantZigZag[tq][k] = p[at + k];
    }
    at += 64;
  }
  return true;
}

bool ParseHuffmanTables(DecoderContext& c, const uint8_t* p, size_t available) {
  const size_t length = SegmentLength(p, available);
  if (length < 2) return false;
  size_t at = 2;
  while (length - at > 16) {
    const int tc = p[at] >> 4;
    const int th = p[at] & 15;
    if (tc > 1 || th > 3) return false;
    const uint8_t* counts = p + at + 1;
    at += 17;
    int total = 0;
    for (int i = 0; i < 16; ++i) total += counts[i];
    if (total > 256 || static_cast<size_t>(total) > length - at) return false;
    HuffmanTable& table = tc == 0 ? c.dcTables[th] : c.acTables[th];
    if (!table.Build(counts, p + at, tc == 1)) return false;
    at += total;
  }
  return at == length;  // 1 to 16 bytes left over is a malformed segment
}

bool ParseFrameHeader(DecoderContext& c, const uint8_t* p, size_t available, bool progressive) {
  const size_t length = SegmentLength(p, available);
  if (length < 8) return false;
  FrameHeader f;
  f.progressive = progressive;
  const int precision = p[2];
  f.height = Read16(p + 3);
  f.width = Read16(p + 5);
  f.componentCount = p[7];
  if (precision != 8 || f.width < 1 || f.height < 1 || f.componentCount < 1 || f.componentCount > kMaxComponents) {
    return false;
  }
  if (length < 8 + 3 * static_cast<size_t>(f.componentCount)) return false;
  for (int i = 0; i < f.componentCount; ++i) {
    const uint8_t* q = p + 8 + 3 * i;
    FrameComponent& component = f.components[i];
    component.id = q[0];
    component.h = q[1] >> 4;
    component.v = q[1] & 15;
    component.tq = q[2];
    if (component.tq > 3 || component.h < 1 || component.h > 4 || component.v < 1 || component.v > 4) return false;
    if (component.h > f.hmax) f.hmax = component.h;
    if (component.v > f.vmax) f.vmax = component.v;
  }
  // Only what the converter shows correctly: Y at the largest sampling (at most 2x2), both
  // chroma components alike, with chroma planes of the full or half luma width and, at
  // half width, the full or half luma height (4:4:4, 4:2:2, 4:2:0).
  const FrameComponent* k = f.components;
  if (f.componentCount != 3 || f.hmax > 2 || f.vmax > 2 || k[0].h != f.hmax || k[0].v != f.vmax ||
      k[1].h != k[2].h || k[1].v != k[2].v) {
    return false;
  }
  const int across = f.hmax / k[1].h, down = f.vmax / k[1].v;
  if (f.hmax % k[1].h != 0 || f.vmax % k[1].v != 0 || (across == 1 && down != 1)) return false;
  // Hostile sizes are refused before anything is allocated.
  const size_t paddedArea = ((static_cast<size_t>(f.width) + 15) & ~size_t{15}) *
                            ((static_cast<size_t>(f.height) + 15) & ~size_t{15});
  if (f.width > kMaxDimension || f.height > kMaxDimension || paddedArea > kMaxLumaArea) return false;
  f.present = true;
  c.frame = f;
  if (!LayOutPlanes(c)) {
    c.frame.present = false;
    return false;
  }
  return true;
}

bool ParseRestartInterval(DecoderContext& c, const uint8_t* p, size_t available) {
  if (SegmentLength(p, available) != 4) return false;
  c.restartInterval = Read16(p + 2);
  c.restartsToGo = 0;
  return true;
}

bool ParseScanHeader(const DecoderContext& c, const uint8_t* p, size_t available, ScanHeader& scan) {
  const size_t length = SegmentLength(p, available);
  if (length < 3 || !c.frame.present) return false;
  scan = ScanHeader{};
  scan.componentCount = p[2];
  if (scan.componentCount < 1 || scan.componentCount > c.frame.componentCount ||
      length != 6 + 2 * static_cast<size_t>(scan.componentCount)) {
    return false;
  }
  for (int i = 0; i < scan.componentCount; ++i) {
    const uint8_t* q = p + 3 + 2 * i;
    int index = -1;
    for (int j = 0; j < c.frame.componentCount && index < 0; ++j) {
      if (c.frame.components[j].id == q[0]) index = j;
    }
    if (index < 0) return false;
    scan.components[i] = {index, q[1] >> 4, q[1] & 15};
    if (scan.components[i].td > 3 || scan.components[i].ta > 3) return false;
  }
  const uint8_t* tail = p + 3 + 2 * scan.componentCount;
  scan.ss = tail[0];
  scan.se = tail[1];
  scan.ah = tail[2] >> 4;
  scan.al = tail[2] & 15;
  if (c.frame.progressive) {
    // A DC pass covers only the DC term; an AC pass one band of a single component.
    const bool dcPass = scan.ss == 0 && scan.se == 0;
    const bool acPass = scan.ss >= 1 && scan.ss <= scan.se && scan.se <= 63 && scan.componentCount == 1;
    if (!dcPass && !acPass) return false;
  }
  return true;
}

}  // namespace orvilo::mjpeg
