// Painting of the main window's frame and status items.
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "platform/gdi/key_colour.h"
#include "shell/frame_font.h"
#include "shell/main_window.h"
#include "ui/skin/skin_ids.h"
#include "ui/skin_resources.h"

namespace orvilo::shell {

namespace {
constexpr QColor kBackground(57, 57, 57);
}  // namespace

// Skin pictures are drawn with their magenta pixels left out.
void CVyr3Dlg::LoadFramePictures() {
  const auto load = [](int id) { return gdi::KeyColourToTransparent(ui::LoadSkinBitmap(id)); };
  for (int piece = 0; piece < kFramePieceCount; ++piece) framePieces_[piece] = load(skin::FramePiece(piece));
  zoomBadge_ = load(skin::kZoomBadge);
}

void CVyr3Dlg::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int w = width();
  const int h = height();
  painter.fillRect(rect(), kBackground);

  const bool framed = std::all_of(framePieces_.begin(), framePieces_.end(), [](const QImage& p) { return !p.isNull(); });
  if (framed) {
    // Corners at their size, edges stretched between them.
    const auto piece = [this](FramePiece which) -> const QImage& { return framePieces_[static_cast<int>(which)]; };
    const QImage& topLeft = piece(FramePiece::TopLeft);
    const QImage& topRight = piece(FramePiece::TopRight);
    const QImage& bottomLeft = piece(FramePiece::BottomLeft);
    const QImage& bottomRight = piece(FramePiece::BottomRight);
    const int top = topLeft.height();
    const int bottom = bottomLeft.height();
    painter.drawImage(0, 0, topLeft);
    painter.drawImage(QRect(topLeft.width(), 0, w - topLeft.width() - topRight.width(), top), piece(FramePiece::Top));
    painter.drawImage(w - topRight.width(), 0, topRight);
    const QImage& left = piece(FramePiece::Left);
    const QImage& right = piece(FramePiece::Right);
    painter.drawImage(QRect(0, top, left.width(), h - top - bottom), left);
    painter.drawImage(QRect(w - right.width(), top, right.width(), h - top - bottom), right);
    painter.drawImage(0, h - bottom, bottomLeft);
    painter.drawImage(QRect(bottomLeft.width(), h - bottom, w - bottomLeft.width() - bottomRight.width(), bottom),
                      piece(FramePiece::Bottom));
    painter.drawImage(w - bottomRight.width(), h - bottom, bottomRight);
  }

  // The zoom badge where zoom applies.
  painter.setPen(Qt::white);
  if ((mode_ == ViewMode::Camera || mode_ == ViewMode::Image || mode_ == ViewMode::Reading) && !settings_.fullScreen) {
    const gdi::Rect badge = ZoomBadgeRect(w);
    if (!zoomBadge_.isNull()) painter.drawImage(badge.left, badge.top, zoomBadge_);
    painter.setFont(FrameFont(11, 400));
    const QRect text(badge.left + 8, badge.top + 2, badge.Width(), badge.Height());
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, QString("%1%").arg(zoomPercent_));
  }

  Current().PaintStatus(painter);
}

}  // namespace orvilo::shell
