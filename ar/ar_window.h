// CVyr3ARWnd, the AR view. Its grade pictures, chapter picker and viewer
// launch come with the AR launcher; until then it shows the empty view.
#pragma once

#include "ar/ar_view.h"

namespace orvilo::ar {

class CVyr3ARWnd : public ArView {
  Q_OBJECT
 public:
  using ArView::ArView;
  void OnBarCommand(int) override {}
  bool HasViewer() const override { return false; }
  bool CloseViewer() override { return false; }
  bool GradeHasContent(int) const override { return false; }

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace orvilo::ar
