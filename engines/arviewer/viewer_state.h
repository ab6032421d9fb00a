// The sample AR viewer's scene state and how the AR view's messages change
// it, free of the toolkit. The viewer shows one unit's picture standing on
// a turntable; the AR view zooms it and turns it about two axes.
#pragma once

#include <cstdint>

namespace orvilo::arviewer {

// Messages the viewer hears from the AR view, and the two it sends.
namespace message {
inline constexpr std::uint32_t kRegister = 5025;     // to the AR view: wParam = our window handle
inline constexpr std::uint32_t kClose = 5026;
inline constexpr std::uint32_t kSize = 5027;         // lParam = width | height << 16
inline constexpr std::uint32_t kZoom = 5032;         // wParam = percent; 0 = default scale
inline constexpr std::uint32_t kRotate1 = 5033;      // wParam = signed degrees; 0 = upright
inline constexpr std::uint32_t kAcknowledge = 5035;  // to the AR view: answered 1
inline constexpr std::uint32_t kRotate2 = 5036;
inline constexpr std::uint32_t kTenth = 5037;
}  // namespace message

// What a message asks of the program around the state.
enum class Effect { None, Repaint, Resize, Quit };

class ViewerState {
 public:
  // Scale limits: zoom steps of the AR view stay well inside them; a
  // misbehaving sender cannot make the scene vanish or explode.
  static constexpr double kMinScale = 0.05;
  static constexpr double kMaxScale = 20.0;

  // Applies a message; `handled` tells whether the viewer knows it (the
  // answer is 1 then, 0 otherwise).
  Effect Apply(std::uint32_t number, std::uintptr_t wParam, std::intptr_t lParam, bool& handled);

  double Scale() const { return scale_; }
  int Tilt() const { return tilt_; }  // degrees about the horizontal axis (axis 1)
  int Spin() const { return spin_; }  // degrees about the vertical axis (axis 2)
  bool Labels() const { return labels_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  double scale_ = 1.0;
  int tilt_ = 0;
  int spin_ = 0;
  bool labels_ = true;
  int width_ = 0;
  int height_ = 0;
};

// A signed step carried in wParam (−15 travels as its two's complement).
constexpr int SignedParameter(std::uintptr_t wParam) { return static_cast<int>(static_cast<std::intptr_t>(wParam)); }

}  // namespace orvilo::arviewer
