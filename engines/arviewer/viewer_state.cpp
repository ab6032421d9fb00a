#include "engines/arviewer/viewer_state.h"

#include <algorithm>

namespace orvilo::arviewer {

namespace {

// Keeps an angle in −359..359 so that endless turning cannot overflow.
int Turned(int angle, int step) { return (angle + step % 360) % 360; }

}  // namespace

Effect ViewerState::Apply(std::uint32_t number, std::uintptr_t wParam, std::intptr_t lParam, bool& handled) {
  handled = true;
  switch (number) {
    case message::kClose: return Effect::Quit;
    case message::kSize:
      width_ = static_cast<int>(lParam & 0xFFFF);
      height_ = static_cast<int>((lParam >> 16) & 0xFFFF);
      return Effect::Resize;
    case message::kZoom: {
      const int percent = SignedParameter(wParam);
      if (percent <= 0) {
        scale_ = 1.0;
      } else {
        scale_ = std::clamp(scale_ * percent / 100.0, kMinScale, kMaxScale);
      }
      return Effect::Repaint;
    }
    case message::kRotate1: {
      const int step = SignedParameter(wParam);
      tilt_ = step == 0 ? 0 : Turned(tilt_, step);
      return Effect::Repaint;
    }
    case message::kRotate2: {
      const int step = SignedParameter(wParam);
      spin_ = step == 0 ? 0 : Turned(spin_, step);
      return Effect::Repaint;
    }
    case message::kTenth:
      labels_ = !labels_;
      return Effect::Repaint;
    default: handled = false; return Effect::None;
  }
}

}  // namespace orvilo::arviewer
