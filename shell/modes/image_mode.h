// Image mode: a still picture to draw on, with the image tools of the
// palette, undo and redo, and the pen, shape and board pickers.
#pragma once

#include "shell/modes/mode.h"

namespace orvilo::shell {

class ImageMode : public Mode {
 public:
  using Mode::Mode;

  ViewMode Kind() const override { return ViewMode::Image; }
  // The drawing starts afresh next time.
  Handover Leave(ViewMode next, Entry entry) override;
  // The handed-over picture, if any, fills the content area with the image
  // tools beside it.
  void Enter(Handover handover) override;
  void LayOut() override;
  bool OnCommand(int id) override;
  // Undo and redo availability reported by the image view; the next and
  // previous still of the picture file's folder (keys, remote).
  bool OnCommandWhileCurrent(int id) override;
  std::optional<Handover> Open(const std::string& path) override;

  // A picker of the palette chose an entry (message 1575): `tool` is the
  // tool's command minus the first image tool's.
  void OnPickerChoice(int tool, int entry);

 private:
  bool OnTool(int id);
  void StepThroughFolder(int step);

  // The picture file shown, or empty when the picture came from elsewhere
  // (a camera snapshot, a movie frame, a board).
  std::string picturePath_;
};

}  // namespace orvilo::shell
