#include "shell/tab_window.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/skin/skin_ids.h"
#include "ui/touch_reach.h"
#include "core/camera_features.h"
#include "core/command_ids.h"

namespace orvilo::shell {

namespace {
using skin::kTabHeight;
using skin::kTabWidth;
constexpr int kLastTabExtra = skin::kTabOverlap;

QString TabLabel(ViewMode mode, bool korean) {
  switch (mode) {
    case ViewMode::Camera: return korean ? "카메라" : "Camera";
    case ViewMode::Image: return korean ? "이미지" : "Image";
    case ViewMode::Reading: return korean ? "읽기" : "Reading";
    case ViewMode::Movie: return korean ? "동영상" : "Movie";
    case ViewMode::AR: return korean ? "증강현실" : "AR";
  }
  return {};
}
}  // namespace

CVyr3TabWnd::CVyr3TabWnd(int featureVariant, bool korean, QWidget* parent)
    : TabStrip(parent), modes_(core::TabModes(featureVariant)), korean_(korean) {
  setMouseTracking(true);
}

bool CVyr3TabWnd::OnCreate() {
  setGeometry(30, 5, kTabWidth * static_cast<int>(modes_.size()) + kLastTabExtra, kTabHeight);
  ui::MarkTouchTarget(this);  // 20 px tall: a finger reaches it from 40 px
  return true;
}

int CVyr3TabWnd::TabAt(const QPoint& point) const {
  if (point.y() < 0 || point.y() >= kTabHeight) return -1;
  const int count = static_cast<int>(modes_.size());
  for (int tab = 0; tab < count; ++tab) {
    const int right = kTabWidth * tab + kTabWidth + (tab == count - 1 ? kLastTabExtra : 0);
    if (point.x() >= kTabWidth * tab && point.x() < right) return tab;
  }
  return -1;
}

void CVyr3TabWnd::SelectTabOf(ViewMode mode) {
  for (int tab = 0; tab < static_cast<int>(modes_.size()); ++tab) {
    if (modes_[tab] == mode && tab != selected_) {
      selected_ = tab;
      update();
    }
  }
}

ViewMode CVyr3TabWnd::SelectedMode() const { return modes_[selected_]; }

void CVyr3TabWnd::mousePressEvent(QMouseEvent* event) {
  const int tab = TabAt(event->position().toPoint());
  if (tab < 0 || tab == selected_) return;
  selected_ = tab;
  hover_ = tab;
  update();
  if (auto* owner = qobject_cast<win::Window*>(parentWidget())) {
    owner->PostCommand(command::kModeCamera + static_cast<int>(modes_[tab]));
  }
}

void CVyr3TabWnd::mouseMoveEvent(QMouseEvent* event) {
  const int tab = TabAt(event->position().toPoint());
  if (tab != hover_) {
    hover_ = tab;
    update();
  }
}

void CVyr3TabWnd::leaveEvent(QEvent*) {
  hover_ = -1;
  update();
}

void CVyr3TabWnd::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QFont font(korean_ ? "NanumGothic" : "Arial");
  font.setPixelSize(12);
  font.setBold(true);
  painter.setFont(font);
  for (int tab = 0; tab < static_cast<int>(modes_.size()); ++tab) {
    const QRect cell(kTabWidth * tab, 0, kTabWidth - 2, kTabHeight);
    const QColor fill = tab == selected_ ? QColor(236, 128, 32) : tab == hover_ ? QColor(96, 96, 96) : QColor(72, 72, 72);
    painter.fillRect(cell, fill);
    painter.setPen(Qt::white);
    painter.drawText(cell, Qt::AlignCenter, TabLabel(modes_[tab], korean_));
  }
}

}  // namespace orvilo::shell
