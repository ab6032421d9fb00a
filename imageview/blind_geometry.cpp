#include "imageview/blind_geometry.h"

#include <cstdio>

namespace orvilo::imageview {

std::string BlindName(int existingBlinds) {
  char name[32];
  std::snprintf(name, sizeof name, "BlindWnd%02d", existingBlinds + 1);
  return name;
}

BlindPart BlindPartAt(const gdi::Rect& r, gdi::Point p) {
  constexpr int m = kBlindBorder;
  const auto in = [p](int l, int t, int rr, int b) { return gdi::Rect{l, t, rr, b}.Contains(p); };
  if (in(r.left, r.top, r.left + m, r.top + m)) return BlindPart::TopLeft;
  if (in(r.right - m, r.top, r.right, r.top + m)) return BlindPart::TopRight;
  if (in(r.left, r.bottom - m, r.left + m, r.bottom)) return BlindPart::BottomLeft;
  if (in(r.right - m, r.bottom - m, r.right, r.bottom)) return BlindPart::BottomRight;
  if (in(r.left + m, r.top, r.right - m, r.top + m)) return BlindPart::Top;
  if (in(r.left + m, r.bottom - m, r.right - m, r.bottom)) return BlindPart::Bottom;
  if (in(r.left, r.top + m, r.left + m, r.bottom - m)) return BlindPart::Left;
  if (in(r.right - m, r.top + m, r.right, r.bottom - m)) return BlindPart::Right;
  if (in(r.left + m, r.top + m, r.right - m, r.bottom - m)) return BlindPart::Interior;
  return BlindPart::Outside;
}

gdi::Rect BlindTextureSource(gdi::Size blind, gdi::Size texture) {
  if (blind.width >= texture.width || blind.height >= texture.height) return gdi::Rect{0, 0, texture.width, texture.height};
  return gdi::Rect{0, 0, blind.width - 2 * kBlindBorder, blind.height - 2 * kBlindBorder};
}

}  // namespace orvilo::imageview
