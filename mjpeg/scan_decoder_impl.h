// Entropy decoding of one scan and the block transforms into the planes.
//
// Included once per instruction set by scan_decoder*.cpp, each defining DECODE_SCAN_NAME:
// the same code, compiled once for any x86-64 and once with BMI2 (cheaper variable
// shifts and bit extraction), chosen with the SIMD level.
#include <cstring>

#include "mjpeg/bit_reader.h"
#include "mjpeg/decoder_state.h"

namespace orvilo::mjpeg {
namespace {

// What a scan needs of one of its components, gathered once per scan.
struct Component {
  const HuffmanTable* dc;
  const HuffmanTable* ac;
  const int32_t* dcFast;
  const int32_t* acFast;
  const uint64_t* acPairs;
  const int16_t* quant;  // by zig-zag position
  uint8_t* plane;
  ptrdiff_t stride;
  int h;
  int v;
  int predictor;
};

inline int16_t Wrap16(int value) { return static_cast<int16_t>(static_cast<uint16_t>(value)); }

// The magnitude of a code-only fast entry (its code fits the fast table, its magnitude
// bits do not).
inline int CodeOnlyValue(BitReader& bits, int32_t entry) {
  bits.Skip((entry >> 16) & 0xFF);
  const int size = (entry >> 24) & 15;
  return ExtendMagnitude(bits.Get(size), size);
}

// DC difference of one block, or false for an unknown code or an impossible size.
inline bool DecodeDcDifference(BitReader& bits, const Component& component, int& difference) {
  bits.Refill();
  const int32_t entry = component.dcFast[bits.Peek(kFastBits)];
  if (entry & 0xFF) {
    bits.Skip(entry & 0xFF);
    difference = entry >> 16;
    return true;
  }
  if (entry != 0) {
    difference = CodeOnlyValue(bits, entry);
    return true;
  }
  int length = 0;
  const int size = component.dc->DecodeSlow(bits.Window(), length);
  if (size < 0 || size > 15) return false;
  bits.Skip(length);
  difference = ExtendMagnitude(bits.Get(size), size);
  return true;
}

// One baseline block into `coefficients` (the transform's order). Sets `dcOnly` when
// no AC symbol other than end-of-block was coded.
inline bool DecodeBaselineBlock(BitReader& bits, Component& component, const uint8_t* order, int16_t* coefficients,
                                bool& dcOnly) {
  int difference = 0;
  if (!DecodeDcDifference(bits, component, difference)) return false;
  component.predictor = Wrap16(difference * component.quant[0] + component.predictor);
  coefficients[0] = static_cast<int16_t>(component.predictor);

  const int32_t* fast = component.acFast;
  const uint64_t* pairs = component.acPairs;
  const int16_t* quant = component.quant;
  int k = 1;
  for (;;) {
    bits.Refill();
    const uint32_t index = bits.Peek(kFastBits);
    const uint64_t pair = pairs[index];
    if (pair & 0xFF) {
      // One or two symbols in one step: most coefficients of camera frames are short.
      const int at = k + static_cast<int>((pair >> 8) & 0xFF);
      if (at < 63) {
        bits.Skip(pair & 0xFF);
        coefficients[order[at]] = Wrap16(static_cast<int16_t>(pair >> 16) * quant[at]);
        const int secondRun = static_cast<int>((pair >> kPairSecondShift) & 0xFF);
        k = at + 1 + secondRun;
        if (k > 63) {
          if (secondRun != kEndOfBlockRun) return false;  // a run past the block's end
          k = at + 1;
          break;
        }
        // Without a second coefficient this writes 0 where nothing was decoded yet.
        coefficients[order[k]] = Wrap16(static_cast<int16_t>(pair >> 40) * quant[k]);
        k += static_cast<int>((pair >> 56) & 1);
        if (k > 63) break;
        continue;
      }
      if (at >= kEndOfBlockRun) {  // end-of-block (its pair entry holds nothing more)
        bits.Skip(pair & 0xFF);
        break;
      }
      // A coefficient at 63, or a run past it: one symbol at a time below.
    }
    const int32_t entry = fast[index];
    int run;
    int value;
    if (entry & 0xFF) {
      bits.Skip(entry & 0xFF);
      run = (entry >> 8) & 0xFF;
      value = entry >> 16;
    } else if (entry != 0) {
      run = (entry >> 8) & 0xFF;
      value = CodeOnlyValue(bits, entry);
    } else {
      int length = 0;
      const int symbol = component.ac->DecodeSlow(bits.Window(), length);
      if (symbol < 0) return false;
      bits.Skip(length);
      if (symbol == 0) {
        run = kEndOfBlockRun;
        value = 0;
      } else {
        run = symbol >> 4;
        const int size = symbol & 15;
        value = ExtendMagnitude(bits.Get(size), size);
      }
    }
    k += run;
    if (k > 63) {
      if (run != kEndOfBlockRun) return false;  // a run past the block's end
      k -= kEndOfBlockRun;
      break;
    }
    coefficients[order[k]] = Wrap16(value * quant[k]);
    if (++k > 63) break;
  }
  dcOnly = k == 1;
  return true;
}

// One block of a progressive first pass (Ah = 0).
inline bool DecodeProgressiveBlock(BitReader& bits, Component& component, const ScanHeader& scan,
                                   const uint8_t* order, int16_t* coefficients, int& endOfBlockRun, bool& empty) {
  empty = true;
  const uint32_t scale = 1u << scan.al;
  if (scan.ss == 0) {
    int difference = 0;
    if (!DecodeDcDifference(bits, component, difference)) return false;
    const uint32_t shifted = static_cast<uint32_t>(difference * component.quant[0]) * scale;
    component.predictor = Wrap16(static_cast<int>(shifted) + component.predictor);
    coefficients[0] = static_cast<int16_t>(component.predictor);
    empty = coefficients[0] == 0;
    return true;
  }
  if (endOfBlockRun > 0) {
    --endOfBlockRun;
    return true;
  }
  for (int k = scan.ss; k <= scan.se;) {
    bits.Refill();
    int length = 0;
    const int symbol = component.ac->DecodeSlow(bits.Window(), length);
    if (symbol < 0) return false;
    bits.Skip(length);
    const int run = symbol >> 4;
    const int size = symbol & 15;
    if (size != 0) {
      k += run;
      if (k > scan.se) return false;
      const int value = ExtendMagnitude(bits.Get(size), size);
      coefficients[order[k]] = Wrap16(static_cast<int>(static_cast<uint32_t>(value * component.quant[k]) * scale));
      empty = false;
      ++k;
    } else if (run == 15) {
      k += 16;
    } else {
      endOfBlockRun = (1 << run) + bits.Get(run) - 1;
      break;
    }
  }
  return true;
}

// Every sample of a block whose only coefficient is the DC term.
inline void FillDcOnly(int16_t dc, uint8_t* destination, ptrdiff_t stride, bool add) {
  const int value = DcOnlyValue(dc);
  if (!add) {
    uint64_t row;
    std::memset(&row, ClampToByte(value), sizeof row);
    for (int j = 0; j < 8; ++j) std::memcpy(destination + j * stride, &row, sizeof row);
    return;
  }
  for (int j = 0; j < 8; ++j) {
    for (int i = 0; i < 8; ++i) destination[j * stride + i] = ClampToByte(destination[j * stride + i] + value);
  }
}

}  // namespace

bool DECODE_SCAN_NAME(DecoderContext& c, const ScanHeader& scan, const uint8_t* data, size_t length) {
  if (scan.ah != 0) return true;  // refinement passes are not decoded
  const FrameHeader& frame = c.frame;
  const bool progressive = frame.progressive;
  const uint8_t* order = c.transform->order;

  Component components[kMaxComponents];
  for (int i = 0; i < scan.componentCount; ++i) {
    const ScanComponent& s = scan.components[i];
    const FrameComponent& f = frame.components[s.frameIndex];
    const HuffmanTable& dc = c.dcTables[s.td];
    const HuffmanTable& ac = c.acTables[s.ta];
    // A table this scan needs and nobody defined decodes nothing.
    const bool needsDc = !progressive || scan.ss == 0;
    const bool needsAc = !progressive || scan.ss > 0;
    if ((needsDc && dc.IsEmpty()) || (needsAc && ac.IsEmpty())) return false;
    components[i] = {&dc, &ac, dc.Fast(), ac.Fast(), ac.Pairs(), c.quantZigZag[f.tq], f.plane, f.planeWidth, f.h, f.v, 1024};
  }
  // One component: the MCU is one block, the grid that component's block grid.
  // Several: the MCU holds H x V blocks of each.
  const bool single = scan.componentCount == 1;
  if (single) {
    const FrameComponent& f = frame.components[scan.components[0].frameIndex];
    c.mcuColumns = (frame.width * f.h + 8 * frame.hmax - 1) / (8 * frame.hmax);
    c.mcuRows = (frame.height * f.v + 8 * frame.vmax - 1) / (8 * frame.vmax);
    components[0].h = components[0].v = 1;
  } else {
    c.mcuColumns = (frame.width + 8 * frame.hmax - 1) / (8 * frame.hmax);
    c.mcuRows = (frame.height + 8 * frame.vmax - 1) / (8 * frame.vmax);
  }

  BitReader bits(data, length);
  BlockJob jobs[kMaxBlocksPerMcu];
  int endOfBlockRun = 0;
  c.restartsToGo = 0;
  for (int row = 0; row < c.mcuRows; ++row) {
    for (int column = 0; column < c.mcuColumns; ++column) {
      if (c.restartInterval != 0 && c.restartsToGo == 0) c.restartsToGo = c.restartInterval;
      int slot = 0;
      int jobCount = 0;
      for (int i = 0; i < scan.componentCount; ++i) {
        Component& component = components[i];
        for (int by = 0; by < component.v; ++by) {
          for (int bx = 0; bx < component.h; ++bx) {
            int16_t* coefficients = c.coefficients[slot++];
            uint8_t* destination = component.plane + (8 * (component.v * row + by)) * component.stride +
                                   8 * (component.h * column + bx);
            bool dcOnly = false;
            bool empty = false;
            if (!progressive) {
              if (!DecodeBaselineBlock(bits, component, order, coefficients, dcOnly)) return false;
            } else {
              if (!DecodeProgressiveBlock(bits, component, scan, order, coefficients, endOfBlockRun, empty)) {
                return false;
              }
              dcOnly = scan.ss == 0;
            }
            if (empty) continue;  // adds nothing: the transform of zeros is zero
            if (dcOnly) {
              FillDcOnly(coefficients[0], destination, component.stride, progressive);
              coefficients[0] = 0;
            } else {
              jobs[jobCount++] = {coefficients, destination, component.stride};
            }
          }
        }
      }
      if (jobCount != 0) c.transform->transform(jobs, jobCount, progressive);
      if (bits.Overrun()) return false;  // the scan's data ended before its blocks did
      if (c.restartInterval != 0 && --c.restartsToGo == 0) {
        bits.SkipRestartMarker();
        for (int i = 0; i < scan.componentCount; ++i) components[i].predictor = 1024;
        endOfBlockRun = 0;
      }
    }
  }
  return true;
}

}  // namespace orvilo::mjpeg
