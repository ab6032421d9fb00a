#include "imageview/blind_window.h"

#include <QPainter>

#include "imageview/blind_geometry.h"
#include "platform/win/geometry.h"
#include "ui/skin/skin_ids.h"
#include "ui/skin_button.h"
#include "ui/skin_resources.h"

namespace orvilo::imageview {

namespace {
const QColor kBorderColour(222, 222, 57);
constexpr int kCloseSide = 13;
constexpr int kCloseFromRight = 16;
constexpr int kCloseTop = 3;
}  // namespace

CBlindWnd::CBlindWnd(win::Window* owner, QWidget* parent) : win::Window(parent), owner_(owner) {
  setMinimumSize(kBlindMinimumSide, kBlindMinimumSide);
}

CBlindWnd::~CBlindWnd() = default;

bool CBlindWnd::OnCreate() {
  texture_ = ui::LoadSkinBitmap(skin::kBlindTexture);
  close_ = new ui::CSkinButton(this);
  if (!close_->Create(kFirstBlindId, this, skin::kBlindClose, width() - kCloseFromRight, kCloseTop)) {
    delete close_;
    close_ = nullptr;
  } else {
    close_->show();
  }
  return true;
}

bool CBlindWnd::OnCommand(int commandId) {
  if (commandId != kFirstBlindId) return false;
  if (owner_) owner_->PostMessage(static_cast<std::uint32_t>(kFirstBlindId), reinterpret_cast<std::uintptr_t>(this));
  return true;
}

win::HitTest CBlindWnd::HitTestAt(const QPoint& point) const {
  switch (BlindPartAt(gdi::Rect{0, 0, width(), height()}, gdi::Point{point.x(), point.y()})) {
    case BlindPart::TopLeft: return win::HitTest::TopLeft;
    case BlindPart::TopRight: return win::HitTest::TopRight;
    case BlindPart::BottomLeft: return win::HitTest::BottomLeft;
    case BlindPart::BottomRight: return win::HitTest::BottomRight;
    case BlindPart::Top: return win::HitTest::Top;
    case BlindPart::Bottom: return win::HitTest::Bottom;
    case BlindPart::Left: return win::HitTest::Left;
    case BlindPart::Right: return win::HitTest::Right;
    case BlindPart::Interior: return win::HitTest::Caption;
    case BlindPart::Outside: break;
  }
  return win::HitTest::Client;
}

QRect CBlindWnd::TextureSource() const {
  if (texture_.isNull()) return {};
  const gdi::Rect r = BlindTextureSource(gdi::Size{width(), height()}, gdi::Size{texture_.width(), texture_.height()});
  return QRect(r.left, r.top, r.Width(), r.Height());
}

void CBlindWnd::resizeEvent(QResizeEvent* event) {
  if (close_) close_->setGeometry(width() - kCloseFromRight, kCloseTop, kCloseSide, kCloseSide);
  update();
  win::Window::resizeEvent(event);
}

void CBlindWnd::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kBorderColour);
  if (texture_.isNull()) return;
  const QRect inside = rect().adjusted(kBlindBorder, kBlindBorder, -kBlindBorder, -kBlindBorder);
  if (inside.isEmpty()) return;
  const QRect source = TextureSource();
  if (source.size() == texture_.size()) {
    painter.drawImage(inside, texture_);  // stretched
  } else {
    painter.drawImage(inside.topLeft(), texture_, source);  // top-left part, unscaled
  }
}

}  // namespace orvilo::imageview
