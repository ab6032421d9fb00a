// CVyr3MovieWnd, the movie view: plays one movie file at a time in the
// window, keeping its shape (letterbox) or stretched to the window, and
// reports to its owner (the main window, its parent) with the message
// numbers of core/command_ids.h:
//  - kMoviePosition (posted): wParam = position, lParam = duration, whole
//    seconds; when a movie opens, stops or seeks, and while it plays
//    (timer kPositionTimer every 10 ms, a report whenever the numbers change);
//  - kMovieEnded (sent): the movie reached its end, or failed while playing;
//    it is already stopped and rewound;
//  - kPointerActivity (sent): the pointer entered the control-bar band.
//
// Threads: everything runs on the window's thread. The pipeline's threads
// only store the newest frame in the player and post kFrameArrived or
// kGraphNotify to this window.
#pragma once

#include <memory>
#include <string>

#include "movie/movie_view.h"

namespace orvilo::movie {

class MoviePlayer;

class CVyr3MovieWnd : public MovieView {
  Q_OBJECT
 public:
  // Messages of the window to itself.
  static constexpr std::uint32_t kGraphNotify = 1225;  // the pipeline reported an end or an error
  static constexpr std::uint32_t kFrameArrived = 1226;  // a new frame waits in the player
  // While playing: the position is read and reported every 10 ms.
  static constexpr int kPositionTimer = 1280;

  explicit CVyr3MovieWnd(QWidget* parent = nullptr);
  ~CVyr3MovieWnd() override;

  bool OpenMovie(const std::string& path) override;
  void Play() override;
  void TogglePauseMovie() override;
  void StopMovie() override;
  void SkipBack() override;
  void SkipForward() override;
  void SeekPercent(int percent) override;
  void SetSpeed(int entry) override;
  void SetMovieFit(int mode) override;
  gdi::PackedDib GrabMovieFrame() override;
  PlaybackState State() const override { return state_; }

  // For the owner and tests: the open file ("" when none), the fit flag, and
  // the player's position, duration (nanoseconds, -1 unknown) and rate.
  const std::string& MoviePath() const { return path_; }
  bool KeepsAspect() const { return fit_ == 1; }
  std::int64_t PositionNs() const;
  std::int64_t DurationNs() const;
  double Rate() const;
  // The player of the open movie (null when none), for diagnostics and tests.
  MoviePlayer* Player() { return player_.get(); }

 protected:
  std::intptr_t OnMessage(const win::Msg& message) override;
  void OnTimer(int id) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void Release();
  void OnGraphEvents();
  // Stopped at the start after the end of the movie, a forward skip past it,
  // or an error, and the owner told.
  void EndMovie();
  int DurationSeconds();
  void ReportPosition(int seconds, int duration);
  void Report(std::uint32_t id, std::uintptr_t wParam, std::intptr_t lParam, bool send);

  std::unique_ptr<MoviePlayer> player_;
  std::string path_;
  PlaybackState state_ = PlaybackState::None;
  int fit_ = 1;
  bool inControlBand_ = false;
  int reportedPosition_ = -1;
  int reportedDuration_ = -1;
  int knownDuration_ = 0;
};

}  // namespace orvilo::movie
