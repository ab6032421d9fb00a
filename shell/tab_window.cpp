#include "shell/tab_window.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/gdi/key_colour.h"
#include "ui/skin/skin_ids.h"
#include "ui/skin_resources.h"
#include "core/camera_features.h"
#include "core/command_ids.h"

namespace orvilo::shell {

namespace {
using skin::kTabHeight;
using skin::kTabWidth;
constexpr int kLastTabExtra = skin::kTabOverlap;

}  // namespace

CVyr3TabWnd::CVyr3TabWnd(int featureVariant, bool korean, QWidget* parent)
    : TabStrip(parent), modes_(core::TabModes(featureVariant)), featureVariant_(featureVariant), korean_(korean) {
  setMouseTracking(true);
}

bool CVyr3TabWnd::OnCreate() {
  // The strip picture gives the size; without it the tabs keep their places.
  const QImage strip = Picture(skin::TabStrip(featureVariant_, 0));
  const QSize size = strip.isNull() ? QSize(kTabWidth * static_cast<int>(modes_.size()) + kLastTabExtra, kTabHeight)
                                    : strip.size();
  setGeometry(30, 5, size.width(), size.height());
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

QImage CVyr3TabWnd::Picture(int id) const { return gdi::KeyColourToTransparent(ui::LoadSkinBitmap(id, korean_)); }

void CVyr3TabWnd::paintEvent(QPaintEvent*) {
  const QImage strip = Picture(skin::TabStrip(featureVariant_, selected_));
  if (strip.isNull()) return;
  QPainter painter(this);
  painter.drawImage(0, 0, strip);
  if (hover_ < 0 || hover_ >= static_cast<int>(modes_.size())) return;
  const int mode = static_cast<int>(modes_[hover_]);
  const QImage label = Picture(hover_ == selected_ ? skin::TabLabelHighlight(mode) : skin::TabLabelHover(mode));
  if (!label.isNull()) painter.drawImage(skin::TabLabelLeft(hover_), skin::kTabLabelTop, label);
}

}  // namespace orvilo::shell
