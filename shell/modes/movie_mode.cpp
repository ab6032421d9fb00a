#include "shell/modes/movie_mode.h"

#include <cstdio>

#include "core/command_ids.h"
#include "shell/child_windows.h"
#include "shell/modes/stage.h"

namespace orvilo::shell {

Handover MovieMode::Leave(ViewMode next, Entry entry) {
  Handover handover;
  movie::MovieView* movie = context_.children.movie.get();
  if (!movie) return handover;
  if (entry == Entry::ByTab && (next == ViewMode::Image || next == ViewMode::Reading)) {
    handover.picture = movie->GrabMovieFrame();
  }
  StopAndUpdateBar();
  return handover;
}

void MovieMode::Enter(Handover handover) {
  ChildWindows& children = context_.children;
  context_.host.ShowCommandBar(ViewMode::Movie);
  context_.stage.PlaceInContent(children.movie.get());
  context_.stage.ShowOnly(children.movie.get());
  if (children.image) children.image->SetMode(ViewMode::Movie);
  if (handover.moviePlaying) ShowBarPlaying();
}

void MovieMode::LayOut() { context_.stage.PlaceInContent(context_.children.movie.get()); }

std::optional<Handover> MovieMode::Open(const std::string& path) {
  if (!context_.children.movie || !context_.children.movie->OpenMovie(path)) return std::nullopt;
  Handover opened;
  opened.moviePlaying = true;
  return opened;
}

bool MovieMode::OnCommand(int id) {
  movie::MovieView* movie = context_.children.movie.get();
  switch (id) {
    case command::kOpenMovie: {
      const auto path = context_.host.RunFileDialog(false, FileFilter::OpenMovie, "");
      if (path && movie && movie->OpenMovie(*path)) ShowBarPlaying();
      return true;
    }
    case command::kFrameToImage: FrameToImage(); return true;
    default: return false;
  }
}

// The frame on screen goes to image mode as its picture; without one the
// movie plays on.
void MovieMode::FrameToImage() {
  movie::MovieView* movie = context_.children.movie.get();
  gdi::PackedDib frame = movie ? movie->GrabMovieFrame() : gdi::PackedDib();
  if (!frame.IsEmpty()) {
    Handover picked;
    picked.picture = std::move(frame);
    context_.host.SwitchMode(ViewMode::Image, std::move(picked));
  }
  context_.stage.RaisePalette();
}

bool MovieMode::OnCommandWhileCurrent(int id) {
  movie::MovieView* movie = context_.children.movie.get();
  switch (id) {
    case command::kPlay:
      if (movie) movie->Play();
      return true;
    case command::kPauseMovie:
      if (movie) movie->TogglePauseMovie();
      return true;
    case command::kStopMovie:
      if (movie) movie->StopMovie();
      return true;
    case command::kSkipBack:
      if (movie) movie->SkipBack();
      return true;
    case command::kSkipForward:
      if (movie) movie->SkipForward();
      return true;
    default: return false;
  }
}

void MovieMode::OnPointerActivity() {
  if (!context_.children.movieBar) return;
  context_.children.movieBar->ShowBar();
  Stage::Raise(context_.children.movieBar.get());
}

void MovieMode::OnSeek(int percent) {
  if (context_.children.movie) context_.children.movie->SeekPercent(percent);
}

void MovieMode::OnSpeed(int entry) {
  if (context_.children.movie) context_.children.movie->SetSpeed(entry);
}

void MovieMode::OnEnded() {
  StopAndUpdateBar();
  if (context_.children.movie) context_.children.movie->update();
}

void MovieMode::OnPosition(int seconds, int duration) {
  if (!context_.children.movieBar) return;
  char text[64];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d / %02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60,
                duration / 3600, duration / 60 % 60, duration % 60);
  context_.children.movieBar->SetPosition(seconds, duration, text);
}

void MovieMode::StopAndUpdateBar() {
  movie::MovieView* movie = context_.children.movie.get();
  if (!movie) return;
  movie->StopMovie();
  if (movie->State() == movie::PlaybackState::Stopped && context_.children.movieBar) {
    context_.children.movieBar->ShowPlaying(false);
  }
}

void MovieMode::ShowBarPlaying() {
  ui::ControlBar* bar = context_.children.movieBar.get();
  if (!bar) return;
  bar->ShowPlaying(true);
  bar->ShowBar();
  Stage::Raise(bar);
}

}  // namespace orvilo::shell
