// Blinds: curtains over parts of the picture. Their default places, names
// and identifiers, and which part of a blind a point is on.
#pragma once

#include <string>

#include "platform/gdi/rect.h"

namespace orvilo::imageview {

inline constexpr int kBlindBorder = 3;
inline constexpr int kBlindMinimumSide = 19;
inline constexpr int kFirstBlindId = 1831;  // also the close button's and the close message's number

// Where blind number n + 1 goes when no place is given: (a, a) with
// a = 10 (n + 1), a third of the view wide and a quarter high.
constexpr gdi::Rect DefaultBlindRect(int existingBlinds, gdi::Size view) {
  const int a = 10 * (existingBlinds + 1);
  return gdi::Rect{a, a, view.width / 3 + a, view.height / 4 + a};
}

// The blind's window name "BlindWnd%02d" and control id, from the number of
// blinds that exist when it is made (so they repeat after one is closed).
std::string BlindName(int existingBlinds);
constexpr int BlindId(int existingBlinds) { return kFirstBlindId + existingBlinds; }

// The parts of a blind a point can be on: the 3-pixel border sizes it (its
// corners both ways), the rest moves it.
enum class BlindPart { Outside, Interior, Left, Right, Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight };

// The part of blind `r` (any coordinates, right and bottom exclusive) under
// `p`; corners first, then edges, then the interior.
BlindPart BlindPartAt(const gdi::Rect& r, gdi::Point p);

// The texture placement: the whole texture stretched into the area inside
// the border when the blind is at least as wide or as high as the texture,
// else the texture's top-left part unscaled. Returns the texture part used.
gdi::Rect BlindTextureSource(gdi::Size blind, gdi::Size texture);

}  // namespace orvilo::imageview
