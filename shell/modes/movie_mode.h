// Movie mode: a movie file played in the content area, its control bar,
// and "frame to image", which takes the frame on screen into image mode.
#pragma once

#include "shell/modes/mode.h"

namespace orvilo::shell {

class MovieMode : public Mode {
 public:
  using Mode::Mode;

  ViewMode Kind() const override { return ViewMode::Movie; }
  // Picture modes reached by their tab get the frame on screen, grabbed
  // before the movie stops and rewinds.
  Handover Leave(ViewMode next, Entry entry) override;
  // A movie just opened brings its control bar up, playing.
  void Enter(Handover handover) override;
  void LayOut() override;
  bool OnCommand(int id) override;
  // The movie control bar's commands.
  bool OnCommandWhileCurrent(int id) override;
  std::optional<Handover> Open(const std::string& path) override;

  // Pointer activity over the movie (message 1278) shows its bar.
  void OnPointerActivity();
  // Messages of the movie bar and the movie view.
  void OnSeek(int percent);
  void OnSpeed(int entry);
  void OnEnded();
  void OnPosition(int seconds, int duration);

 private:
  void FrameToImage();
  // Stops (and rewinds); a stopped movie's bar offers play again.
  void StopAndUpdateBar();
  void ShowBarPlaying();
};

}  // namespace orvilo::shell
