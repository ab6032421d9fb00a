// CVyr3ToolsWnd, the floating tools palette: the camera tools (28 x 205) or
// the image tools (28 x 373), dragged by its grip. The tool buttons come
// with the palette work; until then it keeps its tool set and size.
#pragma once

#include "shell/tools_palette.h"

namespace orvilo::shell {

class CVyr3ToolsWnd : public ToolsPalette {
  Q_OBJECT
 public:
  using ToolsPalette::ToolsPalette;

  void SetToolSet(ToolSet set) override;
  ToolSet CurrentToolSet() const override { return set_; }
  void RepaintButtons() override { update(); }
  win::HitTest HitTestAt(const QPoint& point) const override;

 protected:
  bool OnCreate() override;
  void paintEvent(QPaintEvent* event) override;

 private:
  ToolSet set_ = ToolSet::Camera;
};

}  // namespace orvilo::shell
