// Painting of the main window's frame and status items.
#include <QPaintEvent>
#include <QPainter>

#include "core/camera_model.h"
#include "ui/skin_resources.h"
#include "platform/gdi/key_colour.h"
#include "platform/win/geometry.h"
#include "shell/frame_geometry.h"
#include "shell/main_window.h"
#include "ui/skin/skin_ids.h"

namespace orvilo::shell {

namespace {
constexpr QColor kBackground(57, 57, 57);

// The frame font: "Arial" (Liberation Sans here) at a character height in pixels.
QFont FrameFont(int pixelHeight, int weight) {
  QFont font("Arial");
  font.setPixelSize(pixelHeight);
  font.setWeight(static_cast<QFont::Weight>(weight));
  return font;
}
}  // namespace

// Skin pictures are drawn with their magenta pixels left out.
void CVyr3Dlg::LoadFramePictures() {
  const auto load = [](int id) { return gdi::KeyColourToTransparent(ui::LoadSkinBitmap(id)); };
  for (int piece = 0; piece < 8; ++piece) framePieces_[piece] = load(skin::FramePiece(piece));
  zoomBadge_ = load(skin::kZoomBadge);
  markerCells_ = load(skin::kMarkerCells);
  speakerIcon_ = load(skin::kArSpeakerIcon);
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

  painter.setPen(Qt::white);
  if ((mode_ == ViewMode::Camera || mode_ == ViewMode::Image || mode_ == ViewMode::Reading) && !settings_.fullScreen) {
    const gdi::Rect badge = ZoomBadgeRect(w);
    if (!zoomBadge_.isNull()) painter.drawImage(badge.left, badge.top, zoomBadge_);
    painter.setFont(FrameFont(11, 400));
    const QRect text(badge.left + 8, badge.top + 2, badge.Width(), badge.Height());
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, QString("%1%").arg(zoomPercent_));
  }

  if (mode_ == ViewMode::AR) {
    if (!markerCells_.isNull()) {
      const int cell = 22;
      const int m = std::clamp(arMarker_, 0, 6);
      painter.drawImage(QPoint(w - 154, 37), markerCells_, QRect(0, 0, m * cell, cell));
      if (m < 6) {
        painter.drawImage(QPoint(w - 154 + m * cell, 37), markerCells_, QRect(132 + m * cell, 0, 132 - m * cell, cell));
      }
    }
    if (!speakerIcon_.isNull()) painter.drawImage(w - 157, 67, speakerIcon_);
    if (!arCaption_.empty()) {
      painter.setPen(QColor(193, 193, 193));
      painter.setFont(FrameFont(11, 400));
      painter.drawText(QRect(w - 330, 65, 144, 16), Qt::AlignCenter, QString::fromStdString(arCaption_));
    }
  }

  if (mode_ == ViewMode::Camera && children_.camera) {
    painter.setPen(Qt::white);
    painter.setFont(FrameFont(12, 700));
    const auto label = core::ResolutionLabel(model_, children_.camera->GetResolutionIndex(model_));
    painter.drawText(win::ToQRect(ResolutionTextRect(w)), Qt::AlignLeft | Qt::AlignBottom,
                     QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())));
  }
}

}  // namespace orvilo::shell
