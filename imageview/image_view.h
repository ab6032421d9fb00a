// The image view as the main window sees it: the still picture with its
// drawing, blinds, transforms, zoom and recognition. CVyr3ImageWnd is the
// real window; tests put a recording double in its place.
#pragma once

#include <string>
#include <vector>

#include "drawing/stroke.h"
#include "platform/gdi/packed_dib.h"
#include "platform/gdi/rect.h"
#include "platform/win/window.h"
#include "core/view_mode.h"

namespace orvilo::imageview {

// The view's tools are the strokes of the shared drawing model.
using drawing::StrokeKind;

enum class BoardKind { Capture = 0, Blackboard = 1, Whiteboard = 2, Note = 3 };

// What recognition reads from the view: the marked region over the picture
// as shown. `picture` is the displayed picture after the transforms (null
// when there is none), valid until the view's picture next changes; the
// region is in client coordinates, and the picture was drawn there by the
// zoom, the source rectangle (picture pixels shown while zoomed in) and the
// full-screen flag (stretched over the whole client area).
struct ReadingSource {
  const gdi::PackedDib* picture = nullptr;
  gdi::Rect selection;
  gdi::Size client;
  float zoom = 1.0f;
  gdi::Rect sourceRect;
  bool fullScreenPicture = false;
};

class ImageView : public win::Window {
  Q_OBJECT
 public:
  using win::Window::Window;

  // A new picture (the view owns it); false for an empty one.
  virtual bool SetImage(gdi::PackedDib picture) = 0;
  // Loads a picture file; false when the name is empty or no such file exists.
  virtual bool LoadImageFile(const std::string& path) = 0;
  // Writes the picture as shown, drawing included, as a 32-bit bitmap file.
  virtual void SaveAnnotatedImage(const std::string& path) = 0;

  virtual void SetZoom(double factor) = 0;
  virtual void ShowNavigator(bool show) = 0;
  virtual void SetMode(ViewMode mode) = 0;
  virtual void SetArrangement(Arrangement arrangement) = 0;
  virtual void SetFullScreenPicture(bool on) = 0;

  virtual void ToggleNegative() = 0;
  virtual void ToggleBlackWhite() = 0;
  virtual void ToggleMirror() = 0;
  virtual void ToggleFlip() = 0;
  virtual void RotateQuarter() = 0;

  virtual StrokeKind CurrentTool() const = 0;
  virtual void SetCurrentTool(StrokeKind tool) = 0;
  virtual void SetPenWidth(int width) = 0;
  virtual void SetPenColour(int entry) = 0;
  virtual void SetBoard(BoardKind board) = 0;
  virtual void EraseAll() = 0;
  virtual void Undo() = 0;
  virtual void Redo() = 0;
  virtual void ResetDrawing() = 0;

  // Blinds in view client coordinates; all zero places one at its default.
  virtual void AddBlind(int left, int top, int right, int bottom) = 0;
  virtual void RemoveAllBlinds() = 0;
  virtual std::vector<gdi::Rect> BlindRectangles() const = 0;
  virtual gdi::Rect Selection() const = 0;
  virtual void SetSelection(const gdi::Rect& selection) = 0;
  virtual ReadingSource GetReadingSource() const = 0;
  // The picture the view was given (empty when none), for learning files.
  virtual const gdi::PackedDib& SourcePicture() const = 0;
};

}  // namespace orvilo::imageview
