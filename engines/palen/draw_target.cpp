#include "engines/palen/draw_target.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace palen {
namespace {

constexpr std::int64_t kMaximumTargetSide = 65535;

bool IsUsable(const PalenDrawTarget& target) {
  return target.pixels != nullptr && target.width > 0 && target.height > 0 && target.width <= kMaximumTargetSide &&
         target.height <= kMaximumTargetSide && static_cast<std::int64_t>(target.stride) >= 4ll * target.width &&
         target.penWidth > 0;
}

// Target coordinate of a page coordinate, kept within int range.
int Map(int origin, int page, float scale) {
  const double mapped = std::floor(origin + static_cast<double>(page) * scale);
  return static_cast<int>(std::clamp(mapped, -1.0e9, 1.0e9));
}

class Pen {
 public:
  explicit Pen(const PalenDrawTarget& target)
      : target_(target),
        blue_(static_cast<std::uint8_t>(target.penColour >> 16)),
        green_(static_cast<std::uint8_t>(target.penColour >> 8)),
        red_(static_cast<std::uint8_t>(target.penColour)) {}

  // Paints pixels [left, right) of row y; the caller has clipped them.
  void Span(int y, int left, int right) const {
    std::uint8_t* pixel = target_.pixels + static_cast<std::size_t>(y) * target_.stride + std::size_t{4} * left;
    for (int x = left; x < right; ++x, pixel += 4) {
      if (target_.penMode == PALEN_PEN_XOR) {
        pixel[0] ^= blue_;
        pixel[1] ^= green_;
        pixel[2] ^= red_;
      } else {
        pixel[0] = blue_;
        pixel[1] = green_;
        pixel[2] = red_;
      }
    }
  }

 private:
  const PalenDrawTarget& target_;
  std::uint8_t blue_, green_, red_;
};

// Every pixel of the outline once (XOR twice would erase it again).
void Outline(const Pen& pen, const PalenRect& rect, int width, const PalenRect& clip) {
  const int innerTop = rect.top + width, innerBottom = rect.bottom - width;
  const int innerLeft = rect.left + width, innerRight = rect.right - width;
  const auto paint = [&](int y, int left, int right) {
    left = std::max(left, clip.left);
    right = std::min(right, clip.right);
    if (left < right) pen.Span(y, left, right);
  };
  for (int y = std::max(rect.top, clip.top); y < std::min(rect.bottom, clip.bottom); ++y) {
    if (y < innerTop || y >= innerBottom || innerLeft >= innerRight) {
      paint(y, rect.left, rect.right);
    } else {
      paint(y, rect.left, innerLeft);
      paint(y, innerRight, rect.right);
    }
  }
}

}  // namespace

void DrawOutlines(PalenDrawTarget* target, const std::vector<PalenRect>& pageRects, const PalenPoint* origin,
                  const PalenRect* placement, float scale) {
  if (target == nullptr || !IsUsable(*target)) return;
  PalenRect clip{0, 0, target->width, target->height};
  if (placement != nullptr) {
    clip = PalenRect{std::max(clip.left, placement->left), std::max(clip.top, placement->top),
                     std::min(clip.right, placement->right), std::min(clip.bottom, placement->bottom)};
  }
  if (clip.right <= clip.left || clip.bottom <= clip.top) return;
  const PalenPoint start = origin != nullptr      ? *origin
                           : placement != nullptr ? PalenPoint{placement->left, placement->top}
                                                  : PalenPoint{0, 0};
  const float factor = scale > 0.0f && std::isfinite(scale) ? scale : 1.0f;
  const Pen pen(*target);
  for (const PalenRect& page : pageRects) {
    const PalenRect mapped{Map(start.x, page.left, factor), Map(start.y, page.top, factor),
                           Map(start.x, page.right, factor), Map(start.y, page.bottom, factor)};
    if (mapped.right > mapped.left && mapped.bottom > mapped.top) Outline(pen, mapped, std::min<int>(target->penWidth, kMaximumTargetSide), clip);
  }
}

}  // namespace palen
