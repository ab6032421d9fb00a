#include "imageview/view_geometry.h"

#include <algorithm>
#include <cmath>

#include "core/zoom.h"

namespace orvilo::imageview {

namespace {

struct Fit {
  float scale;
  int width, height, left, top;
};

Fit FitOf(gdi::Size picture, gdi::Size client, float zoom) {
  const float w = static_cast<float>(picture.width);
  const float h = static_cast<float>(picture.height);
  const float s = std::min(static_cast<float>(client.width) / (w / zoom), static_cast<float>(client.height) / (h / zoom));
  const int dw = static_cast<int>(w * s);
  const int dh = static_cast<int>(h * s);
  return Fit{s, dw, dh, (client.width - dw) / 2, (client.height - dh) / 2};
}

}  // namespace

Placement PicturePlacement(gdi::Size picture, gdi::Size client, float zoom, bool stretch, const gdi::Rect& source) {
  Placement placement;
  if (picture.width < 1 || picture.height < 1 || client.width < 1 || client.height < 1 || zoom <= 0) return placement;
  const gdi::Rect whole{0, 0, picture.width, picture.height};
  if (stretch) return Placement{true, gdi::Rect{0, 0, client.width, client.height}, whole};
  const Fit fit = FitOf(picture, client, zoom);
  if (zoom <= 1.0f) {
    return Placement{true, gdi::Rect::FromPositionAndSize(fit.left, fit.top, fit.width, fit.height), whole};
  }
  if (source.Width() < 1 || source.Height() < 1) return placement;
  gdi::Rect target{0, 0, client.width, client.height};
  if (fit.left > 0) {
    target.left = fit.left;
    target.right = fit.left + fit.width;
  }
  if (fit.top > 0) {
    target.top = fit.top;
    target.bottom = fit.top + fit.height;
  }
  return Placement{true, target, source};
}

gdi::Rect NavigatorRect(gdi::Size client) {
  if (client.height < 1) return {};
  const int width = client.width * kNavigatorHeight / client.height;
  return gdi::Rect::FromPositionAndSize(client.width - width, 0, width, kNavigatorHeight);
}

gdi::Rect SourceFromNavigator(const gdi::Rect& view, const gdi::Rect& thumbnail, gdi::Size picture) {
  const int tw = thumbnail.Width();
  const int th = thumbnail.Height();
  if (tw < 1 || th < 1) return {};
  gdi::Rect v = view;
  if (v.Width() <= tw) {
    v.left -= thumbnail.left;
    v.right -= thumbnail.left;
  } else {
    v.left = 0;
    v.right = tw;
  }
  if (v.Height() <= th) {
    v.top -= thumbnail.top;
    v.bottom -= thumbnail.top;
  } else {
    v.top = 0;
    v.bottom = th;
  }
  const auto scaled = [](int value, int size, int across) {
    return static_cast<int>(static_cast<unsigned>(size) * static_cast<unsigned>(std::max(value, 0)) /
                            static_cast<unsigned>(across));
  };
  const int left = scaled(v.left, picture.width, tw);
  const int top = scaled(v.top, picture.height, th);
  return gdi::Rect{left, top, left + scaled(v.Width(), picture.width, tw), top + scaled(v.Height(), picture.height, th)};
}

gdi::Rect InitialSourceRect(gdi::Size picture, gdi::Size client, float zoom) {
  if (picture.width < 1 || picture.height < 1 || client.width < 1 || client.height < 1 || zoom <= 1.0f) {
    return gdi::Rect{0, 0, std::max(picture.width, 0), std::max(picture.height, 0)};
  }
  const Fit fit = FitOf(picture, client, zoom);
  // Each axis shows the part of the picture that fills its display span.
  const int spanW = fit.left > 0 ? fit.width : client.width;
  const int spanH = fit.top > 0 ? fit.height : client.height;
  const int w = std::clamp(static_cast<int>(static_cast<float>(spanW) / fit.scale), 1, picture.width);
  const int h = std::clamp(static_cast<int>(static_cast<float>(spanH) / fit.scale), 1, picture.height);
  return gdi::Rect{0, 0, w, h};
}

double TwoFingers::Distance() const { return std::hypot(x2 - x1, y2 - y1); }

PinchView PinchTo(gdi::Size picture, gdi::Size client, int percent, const gdi::Rect& source, const TwoFingers& from,
                  const TwoFingers& now) {
  PinchView view{percent, source};
  const double before = from.Distance();
  if (before >= 1.0) {
    const double wanted = std::round(percent * now.Distance() / before);
    view.percent = static_cast<int>(
        std::clamp(wanted, double{core::kMinimumZoomPercent}, double{core::kMaximumZoomPercent}));
  }
  const float zoomBefore = static_cast<float>(core::ZoomFactor(percent));
  const float zoomAfter = static_cast<float>(core::ZoomFactor(view.percent));
  const gdi::Rect sized = InitialSourceRect(picture, client, zoomAfter);
  if (zoomAfter <= 1.0f || picture.width < 1 || picture.height < 1) {
    view.source = sized;
    return view;
  }
  // The picture point under the fingers' centre when the gesture began: at
  // 100 % and below the whole picture was drawn fitted.
  const gdi::Rect shownBefore = zoomBefore <= 1.0f || source.Width() < 1 || source.Height() < 1
                                    ? gdi::Rect{0, 0, picture.width, picture.height}
                                    : source;
  const Placement placedBefore = PicturePlacement(picture, client, zoomBefore, false, shownBefore);
  const Placement placedAfter = PicturePlacement(picture, client, zoomAfter, false, sized);
  if (!placedBefore.draw || !placedAfter.draw) return view;
  const auto pictureAt = [](const Placement& p, double x, double y) {
    const double sx = static_cast<double>(p.source.Width()) / std::max(p.target.Width(), 1);
    const double sy = static_cast<double>(p.source.Height()) / std::max(p.target.Height(), 1);
    return std::pair{p.source.left + (x - p.target.left) * sx, p.source.top + (y - p.target.top) * sy};
  };
  const auto [px, py] = pictureAt(placedBefore, from.CentreX(), from.CentreY());
  const double sx = static_cast<double>(sized.Width()) / std::max(placedAfter.target.Width(), 1);
  const double sy = static_cast<double>(sized.Height()) / std::max(placedAfter.target.Height(), 1);
  const double left = px - (now.CentreX() - placedAfter.target.left) * sx;
  const double top = py - (now.CentreY() - placedAfter.target.top) * sy;
  const int maxLeft = std::max(picture.width - sized.Width(), 0);
  const int maxTop = std::max(picture.height - sized.Height(), 0);
  view.source = sized.Offset(std::clamp(static_cast<int>(std::lround(left)), 0, maxLeft),
                             std::clamp(static_cast<int>(std::lround(top)), 0, maxTop));
  return view;
}

}  // namespace orvilo::imageview
