// The movie view as the main window sees it. CVyr3MovieWnd is the real window.
#pragma once

#include <string>

#include "platform/gdi/packed_dib.h"
#include "platform/win/window.h"

namespace orvilo::movie {

enum class PlaybackState { None = 0, Opened = 1, Playing = 2, Paused = 3, Stopped = 4 };

class MovieView : public win::Window {
  Q_OBJECT
 public:
  using win::Window::Window;

  // Opens and starts playing a movie file; false when it cannot be played.
  virtual bool OpenMovie(const std::string& path) = 0;
  virtual void Play() = 0;
  virtual void TogglePauseMovie() = 0;
  // Stops and rewinds to the start.
  virtual void StopMovie() = 0;
  virtual void SkipBack() = 0;
  virtual void SkipForward() = 0;
  virtual void SeekPercent(int percent) = 0;
  virtual void SetSpeed(int entry) = 0;
  // 1 keeps the aspect ratio, 0 stretches, 2 toggles.
  virtual void SetMovieFit(int mode) = 0;
  // A copy of the frame on screen (empty when none).
  virtual gdi::PackedDib GrabMovieFrame() = 0;
  virtual PlaybackState State() const = 0;
};

}  // namespace orvilo::movie
