#include "reading/selection_mapping.h"

#include <algorithm>

namespace orvilo::reading {
namespace {

MappedSelection WholePage(const PageGeometry& page, const gdi::Rect& selection) {
  return MappedSelection{0, 0, page.imageWidth, page.imageHeight, selection};
}

}  // namespace

MappedSelection MapSelection(const PageGeometry& page) {
  gdi::Rect sel = page.selection;
  const int W = page.imageWidth, H = page.imageHeight;
  const int cw = page.clientWidth, ch = page.clientHeight;
  if (sel.right - sel.left < 1 || sel.bottom - sel.top < 1) return WholePage(page, sel);
  if (W < 1 || H < 1 || cw < 1 || ch < 1) return WholePage(page, sel);

  if (page.fullScreen) {
    return MappedSelection{sel.left * W / cw, sel.top * H / ch, (sel.right - sel.left) * W / cw,
                           (sel.bottom - sel.top) * H / ch, sel};
  }

  const float z = page.zoom > 0.0f ? page.zoom : 1.0f;
  const float s = std::min(static_cast<float>(cw) / (static_cast<float>(W) / z),
                           static_cast<float>(ch) / (static_cast<float>(H) / z));
  const int dw = static_cast<int>(static_cast<float>(W) * s);
  const int dh = static_cast<int>(static_cast<float>(H) * s);
  const int ox = (cw - dw) / 2;
  const int oy = (ch - dh) / 2;
  sel.left = std::max(sel.left, ox);
  sel.right = std::min(sel.right, ox + dw);
  sel.top = std::max(sel.top, oy);
  sel.bottom = std::min(sel.bottom, oy + dh);

  if (z > 1.0f) {
    const gdi::Rect& source = page.source;
    if (source.Width() < 1 || source.Height() < 1) return WholePage(page, sel);
    const int hl = ox > 0 ? ox : 0, hr = ox > 0 ? ox + dw : cw;
    const int vt = oy > 0 ? oy : 0, vb = oy > 0 ? oy + dh : ch;
    if (hr - hl < 1 || vb - vt < 1) return WholePage(page, sel);
    const int sw = source.Width(), sh = source.Height();
    return MappedSelection{sw * (sel.left - hl) / (hr - hl) + source.left, sh * (sel.top - vt) / (vb - vt) + source.top,
                           sw * (sel.right - sel.left) / (hr - hl), sh * (sel.bottom - sel.top) / (vb - vt), sel};
  }
  if (dw < 1 || dh < 1) return WholePage(page, sel);
  return MappedSelection{(sel.left - ox) * W / dw, (sel.top - oy) * H / dh, (sel.right - sel.left) * W / dw,
                         (sel.bottom - sel.top) * H / dh, sel};
}

}  // namespace orvilo::reading
