#include "shell/tools_window.h"

#include <QPainter>

#include "shell/frame_geometry.h"

namespace orvilo::shell {

namespace {
constexpr int kPaletteWidth = 28;
constexpr int kGripHeight = 9;
int PaletteHeight(ToolSet set) { return kGripHeight + 28 * (set == ToolSet::Camera ? 7 : 13); }
}  // namespace

bool CVyr3ToolsWnd::OnCreate() {
  setGeometry(kPalettePlace.x, kPalettePlace.y, kPaletteWidth, PaletteHeight(ToolSet::Camera));
  raise();
  return true;
}

void CVyr3ToolsWnd::SetToolSet(ToolSet set) {
  if (set == set_) return;
  set_ = set;
  resize(kPaletteWidth, PaletteHeight(set));
}

win::HitTest CVyr3ToolsWnd::HitTestAt(const QPoint& point) const {
  return point.y() < kGripHeight ? win::HitTest::Caption : win::HitTest::Client;
}

void CVyr3ToolsWnd::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(57, 57, 57));
  painter.fillRect(QRect(0, 0, width(), kGripHeight), QColor(110, 110, 110));
}

}  // namespace orvilo::shell
