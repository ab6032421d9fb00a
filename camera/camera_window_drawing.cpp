// CVyr3CameraWnd: the drawing over the live picture (camera/live_drawing_layer.h)
// and the snapshots that carry it.
#include "camera/camera_window.h"
#include "camera/live_drawing_layer.h"
#include "platform/gdi/qimage_conversion.h"

namespace orvilo::camera {

namespace {
gdi::Rect FromQRect(const QRect& r) { return gdi::Rect::FromPositionAndSize(r.x(), r.y(), r.width(), r.height()); }
}  // namespace

void CVyr3CameraWnd::ShowLiveDrawing(bool show) {
  liveDrawing_->setGeometry(rect());
  liveDrawing_->setVisible(show);
  if (show) liveDrawing_->lower();  // under the navigator and the popups
  update();
}

bool CVyr3CameraWnd::LiveDrawingShown() const { return liveDrawing_->isVisibleTo(this); }

void CVyr3CameraWnd::ClearLiveDrawing() { liveDrawing_->Clear(); }

void CVyr3CameraWnd::SetLiveDrawingTool(drawing::StrokeKind tool) { liveDrawing_->SetTool(tool); }

void CVyr3CameraWnd::SetLiveDrawingPenWidth(int width) { liveDrawing_->SetPenWidth(width); }

void CVyr3CameraWnd::SetLiveDrawingPenColour(int entry) { liveDrawing_->SetPenColour(entry); }

// A hidden drawing is not part of the still: what is saved is what shows.
gdi::PackedDib CVyr3CameraWnd::TakeAnnotatedSnapshot() {
  const QImage picture = CurrentFrame();
  if (picture.isNull()) return {};
  if (!LiveDrawingShown() || liveDrawing_->GetDrawing().Strokes().empty()) return TakeSnapshot(false);
  const QImage annotated = liveDrawing_->DrawOnto(picture);
  return gdi::FromQImage(annotated, picture.depth() == 24 ? 24 : 32);
}

void CVyr3CameraWnd::PlaceLiveDrawing(const QRect& source, const QRect& target) {
  liveDrawing_->SetMapping(source.isEmpty() || target.isEmpty() ? drawing::PictureMapping{}
                                                                 : drawing::PictureMapping{FromQRect(source), FromQRect(target)});
}

// The strokes are in pixels of the frame as shown (after the old code); they
// go back to the camera's own frame and forward by the new code.
void CVyr3CameraWnd::TurnLiveDrawing(int codeBefore, int codeAfter) {
  if (codeBefore == codeAfter || liveDrawing_->GetDrawing().Strokes().empty()) return;
  const QImage picture = CurrentFrame();
  if (picture.isNull()) return;
  const bool swapped = (codeBefore & 1) != 0;
  const gdi::Size source = swapped ? gdi::Size{picture.height(), picture.width()} : gdi::Size{picture.width(), picture.height()};
  liveDrawing_->MapPoints([source, codeBefore, codeAfter](gdi::Point p) {
    return drawing::RotateFlipPoint(drawing::UnrotateFlipPoint(p, source, codeBefore), source, codeAfter);
  });
}

}  // namespace orvilo::camera
