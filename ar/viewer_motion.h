// How the program tracks the viewer's zoom and rotation: the viewer only
// hears relative steps, so the program keeps the step it believes the
// viewer is at and sends the factor that moves it one step on.
//
// Zoom steps run from 1 to 31; step 9 is the viewer's default scale. A step
// up sends the truncated percentage of (a + 2)/(a + 1), a step down that of
// a/(a + 1); the two steps that arrive at step 9 send 0 instead, which puts
// the viewer back on its default scale and so cancels any rounding drift.
#pragma once

namespace orvilo::ar {

inline constexpr int kDefaultZoomStep = 9;
inline constexpr int kFirstZoomStep = 1;
inline constexpr int kLastZoomStep = 31;

struct ZoomMove {
  int factor;  // percent sent with the zoom message; 0: back to the default scale
  int step;    // the step after the move
  bool limit;  // the move reached the end of the range
};

// One step up from `step`. At the top of the range (or beyond it) nothing
// moves: the factor is 0 with the limit reported, and no message is to be
// sent.
constexpr ZoomMove ZoomStepUp(int step) {
  if (step >= kLastZoomStep) return {0, step, true};
  int factor = 0;
  switch (step) {
    case 1: factor = 150; break;
    case 2: factor = 133; break;
    case 3: factor = 125; break;
    case 4: factor = 120; break;
    case 5: factor = 116; break;
    case 6: factor = 114; break;
    case 7: factor = 112; break;
    case 8: factor = 0; break;
    case 9: factor = 110; break;
    case 10: factor = 109; break;
    case 11: factor = 108; break;
    default:
      factor = step <= 13 ? 107 : step <= 15 ? 106 : step <= 19 ? 105 : step <= 24 ? 104 : step <= 30 ? 103 : 0;
      if (step < 1) factor = 0;
  }
  return {factor, step + 1, step + 1 == kLastZoomStep};
}

// One step down from `step`; at the bottom of the range (or below it)
// nothing moves, as above.
constexpr ZoomMove ZoomStepDown(int step) {
  if (step <= kFirstZoomStep) return {0, step, true};
  int factor = 0;
  switch (step) {
    case 2: factor = 66; break;
    case 3: factor = 75; break;
    case 4: factor = 80; break;
    case 5: factor = 83; break;
    case 6: factor = 85; break;
    case 7: factor = 87; break;
    case 8: factor = 88; break;
    case 9: factor = 90; break;
    case 10: factor = 0; break;
    case 11: factor = 91; break;
    default:
      factor = step <= 13 ? 92 : step <= 15 ? 93 : step <= 18 ? 94 : step <= 23 ? 95 : step <= 31 ? 96 : 0;
  }
  return {factor, step - 1, step - 1 == kFirstZoomStep};
}

// Whether a move changed anything (and so is to be sent).
constexpr bool Moved(const ZoomMove& move, int from) { return move.step != from; }

// The angle about one axis after turning it by `delta` (−15 or +15): a full
// turn either way wraps, and angles within −14..14 count as 0.
constexpr int RotatedAngle(int angle, int delta) {
  angle += delta;
  if (angle >= 360) angle -= 360;
  if (angle <= -360) angle += 360;
  if (angle >= -14 && angle <= 14) angle = 0;
  return angle;
}

}  // namespace orvilo::ar
