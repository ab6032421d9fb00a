// AR mode: the AR view with its command bar (viewer commands and grades),
// and the status items it paints in the frame: the marker strip, the
// speaker beside the volume slider and the AR caption.
#pragma once

#include <QImage>
#include <string>

#include "shell/modes/mode.h"

namespace orvilo::shell {

class ArMode : public Mode {
 public:
  explicit ArMode(ModeContext context);

  ViewMode Kind() const override { return ViewMode::AR; }
  // A running viewer closes; marker and caption are cleared.
  Handover Leave(ViewMode next, Entry entry) override;
  void Enter(Handover handover) override;
  void LayOut() override;
  bool OnCommand(int id) override;
  void PaintStatus(QPainter& painter) const override;

  int Marker() const { return marker_; }
  const std::string& Caption() const { return caption_; }
  // The chosen unit's marker value (0..6) and caption, shown until AR mode is left.
  void ShowUnitCaption(int marker, std::string caption) {
    marker_ = marker;
    caption_ = std::move(caption);
  }

 private:
  // Six filled cells of 22 x 22, then six empty ones.
  QImage markerCells_;
  QImage speakerIcon_;
  int marker_ = 0;  // 0..6
  std::string caption_;
};

}  // namespace orvilo::shell
