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
  for (int piece = 0; piece < 8; ++piece) framePieces_[piece] = load(skin::FramePiece(piece));
  zoomBadge_ = load(skin::kZoomBadge);
}

void CVyr3Dlg::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int w = width();
  const int h = height();
  painter.fillRect(rect(), kBackground);

  const bool framed = std::all_of(framePieces_.begin(), framePieces_.end(), [](const QImage& p) { return !p.isNull(); });
  if (framed) {
    const auto& piece = framePieces_;
    const int top = piece[0].height();
    const int bottom = piece[5].height();
    painter.drawImage(0, 0, piece[0]);
    painter.drawImage(QRect(piece[0].width(), 0, w - piece[0].width() - piece[2].width(), top), piece[1]);
    painter.drawImage(w - piece[2].width(), 0, piece[2]);
    painter.drawImage(QRect(0, top, piece[3].width(), h - top - bottom), piece[3]);
    painter.drawImage(QRect(w - piece[4].width(), top, piece[4].width(), h - top - bottom), piece[4]);
    painter.drawImage(0, h - bottom, piece[5]);
    painter.drawImage(QRect(piece[5].width(), h - bottom, w - piece[5].width() - piece[7].width(), bottom), piece[6]);
    painter.drawImage(w - piece[7].width(), h - bottom, piece[7]);
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
