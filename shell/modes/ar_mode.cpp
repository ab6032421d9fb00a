#include "shell/modes/ar_mode.h"

#include <QPainter>
#include <algorithm>

#include "core/command_ids.h"
#include "platform/gdi/key_colour.h"
#include "platform/win/geometry.h"
#include "shell/child_windows.h"
#include "shell/frame_font.h"
#include "shell/frame_geometry.h"
#include "shell/modes/stage.h"
#include "ui/skin/skin_ids.h"
#include "ui/skin_resources.h"

namespace orvilo::shell {

namespace {
constexpr int kMarkerCell = 22;
constexpr int kMarkerCount = 6;
constexpr int kFirstArCommand = command::kBarFirstButton[static_cast<int>(ViewMode::AR)];
constexpr int kLastArCommand = kFirstArCommand + command::kBarButtonCount[static_cast<int>(ViewMode::AR)] - 1;
}  // namespace

ArMode::ArMode(ModeContext context)
    : Mode(context),
      markerCells_(gdi::KeyColourToTransparent(ui::LoadSkinBitmap(skin::kMarkerCells))),
      speakerIcon_(gdi::KeyColourToTransparent(ui::LoadSkinBitmap(skin::kArSpeakerIcon))) {}

Handover ArMode::Leave(ViewMode, Entry) {
  Handover handover;
  handover.arViewerClosed = context_.children.ar && context_.children.ar->CloseViewer();
  marker_ = 0;
  caption_.clear();
  return handover;
}

void ArMode::Enter(Handover) {
  context_.host.ShowCommandBar(ViewMode::AR);
  context_.stage.PlaceInContent(context_.children.ar.get());
  context_.stage.ShowOnly(context_.children.ar.get());
}

void ArMode::LayOut() { context_.stage.PlaceInContent(context_.children.ar.get()); }

bool ArMode::OnCommand(int id) {
  if (id < kFirstArCommand || id > kLastArCommand) return false;
  if (context_.children.ar) context_.children.ar->OnBarCommand(id);
  return true;
}

void ArMode::PaintStatus(QPainter& painter) const {
  const int w = context_.stage.ClientSize().width;
  if (!markerCells_.isNull()) {
    // The first `marker` cells filled, the rest empty.
    const int m = std::clamp(marker_, 0, kMarkerCount);
    const int half = kMarkerCount * kMarkerCell;
    const Point strip = ArMarkerStripPlace(w);
    // A source rectangle of width 0 means "to the picture's right edge" to
    // the painter, which would draw both halves past the window's edge.
    if (m > 0) painter.drawImage(QPoint(strip.x, strip.y), markerCells_, QRect(0, 0, m * kMarkerCell, kMarkerCell));
    if (m < kMarkerCount) {
      painter.drawImage(QPoint(strip.x + m * kMarkerCell, strip.y), markerCells_,
                        QRect(half + m * kMarkerCell, 0, half - m * kMarkerCell, kMarkerCell));
    }
  }
  const Point speaker = ArSpeakerIconPlace(w);
  if (!speakerIcon_.isNull()) painter.drawImage(speaker.x, speaker.y, speakerIcon_);
  if (!caption_.empty()) {
    painter.setPen(QColor(193, 193, 193));
    painter.setFont(FrameFont(11, 400));
    painter.drawText(win::ToQRect(ArCaptionRect(w)), Qt::AlignCenter, QString::fromStdString(caption_));
  }
}

}  // namespace orvilo::shell
