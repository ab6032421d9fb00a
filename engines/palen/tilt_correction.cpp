#include "engines/palen/tilt_correction.h"

#include <algorithm>
#include <cmath>

#include "engines/palen/dib_image.h"

namespace palen {
namespace {

// Below this the page counts as straight; turning it would only blur it.
constexpr float kSmallestTurn = 0.1f;  // degrees
// Leptonica's skew confidence under which the measurement is noise.
constexpr float kLeastConfidence = 3.0f;

bool Report(const PalenProgress* progress, int percent) {
  return progress == nullptr || progress->report == nullptr || progress->report(progress->context, percent) == 0;
}

PixPtr RegionOf(Pix* grey, const PalenRect* region) {
  if (region == nullptr) return PixPtr(pixClone(grey));
  const int left = std::max(region->left, 0);
  const int top = std::max(region->top, 0);
  const int right = std::min<int>(region->right, pixGetWidth(grey));
  const int bottom = std::min<int>(region->bottom, pixGetHeight(grey));
  if (right <= left || bottom <= top) return nullptr;
  BoxPtr box(boxCreate(left, top, right - left, bottom - top));
  return PixPtr(pixClipRectangle(grey, box.get(), nullptr));
}

}  // namespace

float StraightenInPlace(VxGlobalHandle dib, const PalenRect* region, const PalenProgress* progress) {
  if (!Report(progress, 0)) return 0.0f;
  DibPicture picture = PictureFromDib(dib);
  if (!picture.pix) return 0.0f;
  PixPtr grey = GreyOf(picture.pix.get());
  PixPtr measured = grey ? RegionOf(grey.get(), region) : nullptr;
  PixPtr binary = measured ? PixPtr(pixConvertTo1Adaptive(measured.get())) : nullptr;
  if (!binary) return 0.0f;
  l_float32 turn = 0.0f, confidence = 0.0f;
  if (pixFindSkew(binary.get(), &turn, &confidence) != 0) return 0.0f;
  binary.reset();
  measured.reset();
  grey.reset();
  if (confidence < kLeastConfidence || std::fabs(turn) < kSmallestTurn) {
    Report(progress, 100);
    return 0.0f;
  }
  // Leptonica gives the clockwise turn that straightens the lines.
  constexpr float kRadiansPerDegree = 3.14159265f / 180.0f;
  PixPtr straight(pixRotate(picture.pix.get(), turn * kRadiansPerDegree, L_ROTATE_AREA_MAP, L_BRING_IN_WHITE, 0, 0));
  if (!straight || !WritePixIntoDib(dib, straight.get())) return 0.0f;
  Report(progress, 100);
  return -turn;
}

}  // namespace palen
