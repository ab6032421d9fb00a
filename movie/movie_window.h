// CVyr3MovieWnd, the movie view. The player behind it comes with movie
// playback; until then no movie opens and the view stays empty.
#pragma once

#include "movie/movie_view.h"

namespace orvilo::movie {

class CVyr3MovieWnd : public MovieView {
  Q_OBJECT
 public:
  using MovieView::MovieView;

  bool OpenMovie(const std::string&) override { return false; }
  void Play() override {}
  void TogglePauseMovie() override {}
  void StopMovie() override {}
  void SkipBack() override {}
  void SkipForward() override {}
  void SeekPercent(int) override {}
  void SetSpeed(int) override {}
  void SetMovieFit(int mode) override { fit_ = mode == 2 ? 1 - fit_ : mode; }
  gdi::PackedDib GrabMovieFrame() override { return {}; }
  PlaybackState State() const override { return PlaybackState::None; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int fit_ = 1;
};

}  // namespace orvilo::movie
