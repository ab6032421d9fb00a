// CVyr3ToolsWnd, the floating tools palette: the seven camera tools
// (28 x 205), the thirteen image tools (28 x 373) or the seven pen tools of
// the drawing over the live picture (28 x 205) under a grip that drags it. Tool buttons post their command to the main window; the colour, pen
// width, shape and board buttons open a picker and, on a choice, send
// message 1575 (wParam tool number = id - 1534, lParam the entry).
#pragma once

#include <QImage>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/rect.h"
#include "shell/tools_palette.h"

namespace orvilo::ui {
class CSkinButton;
}

namespace orvilo::shell {

inline constexpr int kPaletteWidth = 28;
inline constexpr int kPaletteGrip = 9;
// The pen tools of the live picture: pen, highlighter, colour, pen type,
// eraser, erase all, shapes.
inline constexpr int kLiveDrawingToolCount = 7;
constexpr int PaletteHeight(ToolSet set) { return kPaletteGrip + 28 * (set == ToolSet::Image ? 13 : 7); }

// The palette's rectangle while it is dragged, corrected against the main
// window's client size: kept off the frame, the title area and the bars.
gdi::Rect PaletteWhileDragged(const gdi::Rect& proposed, gdi::Size client, ToolSet set);
// Where the palette goes when a drag ends: back to (21, 113) when it ended
// too near an edge, else where it is.
gdi::Rect PaletteAfterDrag(const gdi::Rect& palette, gdi::Size client, ToolSet set);

// The tooltip of a tool button in Korean or English.
std::string ToolTipOf(int commandId, bool korean);

class CVyr3ToolsWnd : public ToolsPalette {
  Q_OBJECT
 public:
  // The tooltips' language follows the component rule of the settings file,
  // read at creation, unless `korean` is given.
  explicit CVyr3ToolsWnd(std::optional<bool> korean = std::nullopt, QWidget* parent = nullptr);
  ~CVyr3ToolsWnd() override;

  void SetToolSet(ToolSet set) override;
  ToolSet CurrentToolSet() const override { return set_; }
  void RepaintButtons() override;
  void OpenPicker(int commandId) override;
  win::HitTest HitTestAt(const QPoint& point) const override;

  // The tool button of a command (1525..1531, 1534..1546), or null.
  ui::CSkinButton* Button(int commandId) const;
  // The entry each picker starts at: colour, pen width, shape, board.
  int ColourEntry() const { return colourEntry_; }
  int PenTypeEntry() const { return penTypeEntry_; }
  int ShapeEntry() const { return shapeEntry_; }
  int BoardEntry() const { return boardEntry_; }

 protected:
  bool OnCreate() override;
  bool OnCommand(int commandId) override;
  void OnMoving(QRect& proposedGeometry) override;
  void OnExitSizeMove() override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void LayOutButtons();
  gdi::Size OwnerSize() const;

  std::optional<bool> korean_;
  ToolSet set_ = ToolSet::Camera;
  std::array<QImage, 4> grips_;  // top grip, vertical fill, left grip, horizontal fill
  std::vector<ui::CSkinButton*> cameraButtons_;  // children: deleted with the palette
  std::vector<ui::CSkinButton*> imageButtons_;
  int colourEntry_ = 9;
  int penTypeEntry_ = 6;
  int shapeEntry_ = 3;
  int boardEntry_ = 0;
};

}  // namespace orvilo::shell
