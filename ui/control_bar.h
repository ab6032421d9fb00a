// A playback control bar (the reading bar or the movie bar) as the main
// window sees it. CVyr3ControlWnd is the real window.
#pragma once

#include <string>

#include "platform/win/window.h"

namespace orvilo::ui {

class ControlBar : public win::Window {
  Q_OBJECT
 public:
  using win::Window::Window;

  // Places the bar centred at the bottom of the main window, reads the
  // master volume into its slider and shows it.
  virtual void ShowBar() = 0;
  // Movie bar: the position text and slider.
  virtual void SetPosition(int position, int range, const std::string& text) = 0;
  // Movie bar: shows the pause button (playing) or the play button.
  virtual void ShowPlaying(bool playing) = 0;
};

}  // namespace orvilo::ui
