// CVyr3ImageWnd, the image view. What exists now: it keeps the picture it
// is given or loads (any format the toolkit reads) and shows it fitted with
// its aspect ratio, and keeps its mode, arrangement, zoom and tool state.
// Drawing, blinds, transforms, the navigator and recognition come with the
// image-view and reading work.
#pragma once

#include <QImage>

#include "imageview/image_view.h"

namespace orvilo::imageview {

class CVyr3ImageWnd : public ImageView {
  Q_OBJECT
 public:
  explicit CVyr3ImageWnd(QWidget* parent = nullptr);

  bool SetImage(gdi::PackedDib picture) override;
  bool LoadImageFile(const std::string& path) override;
  void SaveAnnotatedImage(const std::string&) override {}
  void SetZoom(double factor) override { zoom_ = factor; }
  void ShowNavigator(bool) override {}
  void SetMode(ViewMode mode) override { mode_ = mode; }
  void SetArrangement(Arrangement arrangement) override { arrangement_ = arrangement; }
  void SetFullScreenPicture(bool on) override { fullScreen_ = on; }
  void ToggleNegative() override {}
  void ToggleBlackWhite() override {}
  void ToggleMirror() override {}
  void ToggleFlip() override {}
  void RotateQuarter() override {}
  StrokeKind CurrentTool() const override { return tool_; }
  void SetCurrentTool(StrokeKind tool) override { tool_ = tool; }
  void SetPenWidth(int width) override { penWidth_ = width; }
  void SetPenColour(int entry) override;
  void SetBoard(BoardKind) override {}
  void EraseAll() override {}
  void Undo() override {}
  void Redo() override {}
  void ResetDrawing() override {}
  void AddBlind(int, int, int, int) override {}
  void RemoveAllBlinds() override {}
  std::vector<gdi::Rect> BlindRectangles() const override { return {}; }
  gdi::Rect Selection() const override { return selection_; }
  void SetSelection(const gdi::Rect& selection) override { selection_ = selection; }
  const gdi::PackedDib& SourcePicture() const override { return source_; }
  bool InitRecognition() override { return false; }
  std::string Recognise() override { return {}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  gdi::PackedDib source_;
  QImage shown_;
  double zoom_ = 1.0;
  ViewMode mode_ = ViewMode::Camera;
  Arrangement arrangement_ = Arrangement::Normal;
  bool fullScreen_ = false;
  StrokeKind tool_ = StrokeKind::Pen;
  int penWidth_ = 6;
  int penColour_ = 9;
  gdi::Rect selection_;
};

}  // namespace orvilo::imageview
