// CVyr3ImageWnd, the image view: a still picture (camera snapshot, movie
// frame, picture file, learning file or board) with its transforms, zoom,
// drawing, blinds and region marking.
//
// Pictures, from the source to the screen:
//   source picture (or board picture) --colour transforms, rotate/flip-->
//   displayed picture (PackedDib) and page picture (the same as a QImage,
//   made once per change) --placement by zoom and source rectangle-->
//   clean layer (client size: background and picture, no strokes)
//   --every committed stroke in order--> committed layer (client size).
// A paint copies the committed layer for the damaged area and lays the
// stroke in progress over it from its own mask, so a pointer move costs the
// segment's padded box, whatever the number of strokes. Committing a stroke
// draws just that stroke onto the committed layer; undo, redo, erase-all and
// every change of picture, zoom or size rebuild the layers.
//
// Drawing state lives in a Drawing (strokes and undo history); the layers
// are caches the view can always rebuild from it and the picture.
#pragma once

#include <QImage>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "drawing/drawing.h"
#include "imageview/image_view.h"
#include "imageview/view_geometry.h"
#include "ui/navigator_window.h"

class QTabletEvent;
class QTouchEvent;

namespace orvilo::imageview {

using drawing::Drawing;
using drawing::DrawingCommand;
using drawing::Stroke;

class CBlindWnd;

// Largest picture the view takes: far above any camera (5 megapixels), and
// small enough that the picture and its layers stay a few hundred MB.
inline constexpr int kMaxPictureSide = 16384;
inline constexpr long long kMaxPicturePixels = 40'000'000;

// At most this much memory keeps the pixels under the latest strokes for
// undo (about a hundred strokes on a full-HD view); older strokes are undone
// by drawing their box again.
inline constexpr std::size_t kUndoPixelsBudget = std::size_t{48} << 20;

enum class RenderState { Empty = 0, Dirty = 1, Ready = 2, Closed = 3 };

class CVyr3ImageWnd : public ImageView {
  Q_OBJECT
 public:
  explicit CVyr3ImageWnd(QWidget* parent = nullptr);
  ~CVyr3ImageWnd() override;

  bool SetImage(gdi::PackedDib picture) override;
  // Reads any picture format the toolkit knows and makes it the source
  // picture through a scratch bitmap file. False, and the view unchanged,
  // when the name is empty, no such file exists, the file is not a picture
  // or the picture is empty or too large.
  bool LoadImageFile(const std::string& path) override;
  void SaveAnnotatedImage(const std::string& path) override { SaveAnnotatedImageFile(path); }
  // False, with an earlier file of that name untouched, when it cannot be
  // written or there is nothing to save.
  bool SaveAnnotatedImageFile(const std::string& path);

  void SetZoom(double factor) override;
  void ShowNavigator(bool show) override;
  bool NavigatorVisible() const { return navigator_ != nullptr && !navigator_->isHidden(); }
  void SetMode(ViewMode mode) override;
  void SetArrangement(Arrangement arrangement) override;
  void SetFullScreenPicture(bool on) override;

  void ToggleNegative() override;
  void ToggleBlackWhite() override;
  void ToggleMirror() override;
  void ToggleFlip() override;
  void RotateQuarter() override;
  // Rebuilds the displayed picture from the source (or board) picture with
  // the current transforms; false (display unchanged) without a source.
  bool RebuildPicture();

  StrokeKind CurrentTool() const override { return tool_; }
  void SetCurrentTool(StrokeKind tool) override { tool_ = tool; }
  void SetPenWidth(int width) override;
  void SetPenColour(int entry) override;
  void SetBoard(BoardKind board) override;
  void EraseAll() override;
  void Undo() override;
  void Redo() override;
  void ResetDrawing() override;

  void AddBlind(int left, int top, int right, int bottom) override;
  void RemoveAllBlinds() override;
  std::vector<gdi::Rect> BlindRectangles() const override;
  gdi::Rect Selection() const override { return selection_; }
  void SetSelection(const gdi::Rect& selection) override;
  ReadingSource GetReadingSource() const override;
  const gdi::PackedDib& SourcePicture() const override { return source_; }

  // For tests and the benchmark.
  const Drawing& GetDrawing() const { return drawing_; }
  const std::vector<CBlindWnd*>& Blinds() const { return blinds_; }
  const gdi::PackedDib& DisplayedPicture() const { return displayed_; }
  gdi::Size ImageSize() const { return gdi::Size{page_.width(), page_.height()}; }
  float Zoom() const { return zoom_; }
  const gdi::Rect& SourceRect() const { return sourceRect_; }
  int PenWidth() const { return penWidth_; }
  std::uint32_t PenColour() const { return penColour_; }
  RenderState GetRenderState() const { return renderState_; }
  // What the view shows now without blinds: the picture and the strokes
  // (and the stroke in progress) as one client-size picture.
  QImage RenderContent();
  // The folder of the scratch bitmap (default: STRQelOutput of the program
  // folder).
  void SetScratchFolder(const std::string& folder) { scratchFolder_ = folder; }
  // Where the picture is drawn in the client area (empty when it is not).
  QRect PictureTarget() const;

 protected:
  std::intptr_t OnMessage(const win::Msg& message) override;
  win::HitTest HitTestAt(const QPoint& point) const override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  // Touch (fingers) and tablet (pen) events; docs/input.md.
  bool event(QEvent* event) override;
  void tabletEvent(QTabletEvent* event) override;

 private:
  // Picture.
  bool TakeSourcePicture(gdi::PackedDib picture);
  void PictureChanged();
  void PlaceNavigator();
  void UpdateSourceRectForZoom();
  Placement CurrentPlacement() const;
  void RebuildLayers();
  void RepaintAll();     // after a change of picture, zoom, size or arrangement
  void RedrawStrokes();  // after a change of the strokes only
  // Draws a stroke that has just become the last of the list onto the
  // committed layer, keeping the pixels it covers for an undo.
  void DrawCommittedStroke(const Stroke& stroke);
  // Puts the committed layer right inside `box` alone: the clean picture,
  // then every stroke that reaches into it, in order.
  void RedrawArea(const QRect& box);
  win::Window* Owner() const;
  void Report(int commandId);

  // A pointer (mouse button, finger or pen) pressed, moved while down and
  // lifted: the same drawing or marking whichever it is.
  void BeginPointer(gdi::Point at);
  void MovePointer(gdi::Point at, bool inside);
  void EndPointer(gdi::Point at);

  // Touch: one finger draws or marks, two pinch and pan, a long press opens
  // the current tool's picker.
  void OnTouch(QTouchEvent* event);
  void OnTwoFingers(const TwoFingers& now);
  void OnLongPress();

  // Drawing.
  void BeginStroke(gdi::Point at);
  void ContinueStroke(gdi::Point at);
  void EndStroke(gdi::Point at, bool inside);
  void DiscardStroke();
  void PaintStrokeInProgress(QPainter& painter, const QRect& area) const;

  // Marking.
  void BeginMarking(gdi::Point at);
  void ContinueMarking(gdi::Point at, bool inside);
  void EndMarking();
  void PaintSelection(QPainter& painter) const;

  // Picture state.
  gdi::PackedDib source_;
  gdi::PackedDib board_;
  BoardKind boardKind_ = BoardKind::Capture;
  gdi::PackedDib displayed_;
  QImage page_;  // the displayed picture as made once per change
  RenderState renderState_ = RenderState::Empty;
  int rotation_ = 0;
  bool mirror_ = false, flip_ = false, negative_ = false, blackWhite_ = false;
  float zoom_ = 1.0f;
  gdi::Rect sourceRect_;
  bool navigatorShown_ = true;  // the main window wants the navigator while zoomed in (not in an inset)
  ui::CNavigatorWnd* navigator_ = nullptr;  // a child: Qt destroys it with the view
  ViewMode mode_ = ViewMode::Camera;
  Arrangement arrangement_ = Arrangement::Normal;
  bool fullScreen_ = false;
  std::string scratchFolder_;
  QImage insetFrame_;

  // Layers (client size).
  QImage clean_;
  QImage committed_;
  bool layersValid_ = false;  // the committed layer matches the strokes
  bool cleanValid_ = false;   // the clean layer matches picture, zoom and size

  // The committed layer's pixels under each of the latest strokes before it
  // was drawn, so that undoing it puts them back instead of drawing the
  // strokes below again. Valid while the committed layer is only ever
  // changed stroke by stroke; any rebuild forgets them.
  struct BeforeStroke {
    std::size_t strokeCount;  // the list's length with the stroke in it
    QRect box;
    QImage pixels;
  };
  std::deque<BeforeStroke> beforeStrokes_;
  std::size_t beforeStrokesBytes_ = 0;
  void KeepPixelsUnder(const Stroke& stroke, std::size_t strokeCount);

  // Drawing state.
  Drawing drawing_;
  StrokeKind tool_ = StrokeKind::Pen;
  int penWidth_ = drawing::kInitialPenWidth;
  std::uint32_t penColour_ = 0;
  std::optional<Stroke> current_;
  QImage live_;       // the stroke in progress, opaque, in its own mask
  QRect liveBounds_;  // what of live_ is drawn on

  // Touch and pen state.
  bool touchActive_ = false;  // a touch sequence runs: mouse events are emulated from it
  bool penDown_ = false;
  gdi::Point touchStart_;
  QTimer longPress_;
  std::optional<TwoFingers> pinchFrom_;  // the fingers where the two-finger gesture is measured from
  int pinchPercent_ = 100;
  gdi::Rect pinchSource_;

  // Marking state.
  gdi::Rect selection_;
  bool markingDrag_ = false;
  bool pointerInside_ = false;

  std::vector<CBlindWnd*> blinds_;  // children: owned through Qt, listed here
};

}  // namespace orvilo::imageview
