#include "movie/movie_window.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <cstdio>
#include <cstring>

#include "core/command_ids.h"
#include "movie/movie_player.h"
#include "movie/movie_timing.h"

namespace orvilo::movie {
namespace {

constexpr QRgb kBackground = 0x393939;
constexpr int kPositionPeriodMs = 10;

QRect ToQRect(const ViewRect& r) { return QRect(r.x, r.y, r.width, r.height); }

}  // namespace

CVyr3MovieWnd::CVyr3MovieWnd(QWidget* parent) : MovieView(parent) {
  setMouseTracking(true);
  setCursor(Qt::ArrowCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

// The player goes first: its threads post to this window until it is gone.
CVyr3MovieWnd::~CVyr3MovieWnd() { player_.reset(); }

std::int64_t CVyr3MovieWnd::PositionNs() const { return player_ ? player_->Position() : -1; }
std::int64_t CVyr3MovieWnd::DurationNs() const { return player_ ? player_->Duration() : -1; }
double CVyr3MovieWnd::Rate() const { return player_ ? player_->Rate() : 1.0; }

// The length in whole seconds; the last one known while the pipeline cannot
// tell (being built up again after an error).
int CVyr3MovieWnd::DurationSeconds() {
  const std::int64_t duration = player_ ? player_->Duration() : -1;
  if (duration >= 0) knownDuration_ = WholeSeconds(duration);
  return knownDuration_;
}

void CVyr3MovieWnd::Release() {
  KillTimer(kPositionTimer);
  player_.reset();
  path_.clear();
  state_ = PlaybackState::None;
  reportedPosition_ = reportedDuration_ = -1;
  knownDuration_ = 0;
}

bool CVyr3MovieWnd::OpenMovie(const std::string& path) {
  if (player_) {
    if (state_ == PlaybackState::Playing || state_ == PlaybackState::Paused) StopMovie();
    Release();
  }
  MoviePlayer::Callbacks callbacks;
  callbacks.frameReady = [this] { PostMessage(kFrameArrived); };
  callbacks.busNotify = [this] { PostMessage(kGraphNotify); };
  std::string error;
  player_ = MoviePlayer::Open(path, std::move(callbacks), &error);
  if (!player_) {
    // Nothing is shown to the user; the reason is for whoever runs the program.
    std::fprintf(stderr, "movie: %s\n", error.c_str());
    update();
    return false;
  }
  path_ = path;
  state_ = PlaybackState::Opened;
  update();
  ReportPosition(0, DurationSeconds());
  Play();
  return true;
}

void CVyr3MovieWnd::Play() {
  if (!player_ || state_ == PlaybackState::None || state_ == PlaybackState::Playing) return;
  if (!player_->Play()) return;
  state_ = PlaybackState::Playing;
  SetTimer(kPositionTimer, kPositionPeriodMs);
}

void CVyr3MovieWnd::TogglePauseMovie() {
  if (state_ == PlaybackState::Paused) {
    Play();
  } else if (state_ == PlaybackState::Playing) {
    player_->Pause();
    state_ = PlaybackState::Paused;
    KillTimer(kPositionTimer);
  }
}

void CVyr3MovieWnd::StopMovie() {
  if (state_ != PlaybackState::Playing && state_ != PlaybackState::Paused) return;
  const int duration = DurationSeconds();
  player_->Rewind();
  state_ = PlaybackState::Stopped;
  KillTimer(kPositionTimer);
  ReportPosition(0, duration);
}

void CVyr3MovieWnd::SkipBack() {
  if (!player_) return;
  player_->Seek(SkipBackTarget(std::max<std::int64_t>(player_->Position(), 0)));
}

void CVyr3MovieWnd::SkipForward() {
  if (!player_) return;
  std::int64_t duration = player_->Duration();
  if (duration < 0 && knownDuration_ > 0) duration = knownDuration_ * kNanosecondsPerSecond;
  const auto target = SkipForwardTarget(std::max<std::int64_t>(player_->Position(), 0), duration);
  if (target) {
    player_->Seek(*target);
    return;
  }
  EndMovie();
}

void CVyr3MovieWnd::SeekPercent(int percent) {
  if (!player_) return;
  const int duration = DurationSeconds();
  const int target = SeekPercentSeconds(percent, duration);
  player_->Seek(static_cast<std::int64_t>(target) * kNanosecondsPerSecond);
  ReportPosition(target, duration);
}

void CVyr3MovieWnd::SetSpeed(int entry) {
  if (player_) player_->SetRate(RateForSpeedEntry(entry));
}

void CVyr3MovieWnd::SetMovieFit(int mode) {
  const int fit = mode == 2 ? 1 - fit_ : (mode != 0 ? 1 : 0);
  if (fit == fit_) return;
  fit_ = fit;
  update();
}

gdi::PackedDib CVyr3MovieWnd::GrabMovieFrame() {
  if (!player_) return {};
  const HeldFrame frame = player_->LatestFrame();
  if (frame.IsEmpty()) return {};
  gdi::PackedDib dib = gdi::PackedDib::Create(frame.width(), frame.height(), 32);
  if (dib.IsEmpty()) return {};
  for (int y = 0; y < frame.height(); ++y) {
    std::uint8_t* row = dib.Row(y);
    std::memcpy(row, frame.data() + static_cast<std::size_t>(y) * frame.stride(), static_cast<std::size_t>(frame.width()) * 4);
    for (int x = 0; x < frame.width(); ++x) row[x * 4 + 3] = 0xFF;
  }
  return dib;
}

std::intptr_t CVyr3MovieWnd::OnMessage(const win::Msg& message) {
  switch (message.id) {
    case kFrameArrived:
      if (player_) player_->FrameTaken();
      update();
      return 0;
    case kGraphNotify: OnGraphEvents(); return 0;
    default: return MovieView::OnMessage(message);
  }
}

void CVyr3MovieWnd::OnGraphEvents() {
  if (!player_) return;  // a report from a player already released
  for (const MoviePlayer::Event& event : player_->TakeEvents()) {
    if (event.kind == MoviePlayer::Event::Kind::Error) {
      std::fprintf(stderr, "movie: %s: %s\n", path_.c_str(), event.text.c_str());
      // The pipeline is of no further use; Play builds its graph up again.
      player_->Halt();
    }
    EndMovie();
    if (!player_) return;
  }
}

void CVyr3MovieWnd::EndMovie() {
  if (state_ == PlaybackState::Playing || state_ == PlaybackState::Paused) {
    StopMovie();
  } else if (state_ != PlaybackState::None) {
    player_->Rewind();
    state_ = PlaybackState::Stopped;
  }
  update();
  Report(message::kMovieEnded, 0, 0, true);
}

void CVyr3MovieWnd::OnTimer(int id) {
  if (id != kPositionTimer) return MovieView::OnTimer(id);
  if (state_ != PlaybackState::Playing || !player_) {
    KillTimer(id);
    return;
  }
  const int position = WholeSeconds(player_->Position());
  const int duration = DurationSeconds();
  if (position != reportedPosition_ || duration != reportedDuration_) ReportPosition(position, duration);
}

void CVyr3MovieWnd::ReportPosition(int seconds, int duration) {
  reportedPosition_ = seconds;
  reportedDuration_ = duration;
  Report(message::kMoviePosition, static_cast<std::uintptr_t>(seconds), duration, false);
}

void CVyr3MovieWnd::Report(std::uint32_t id, std::uintptr_t wParam, std::intptr_t lParam, bool send) {
  auto* owner = qobject_cast<win::Window*>(parentWidget());
  if (owner == nullptr) return;
  if (send) {
    owner->SendMessage(id, wParam, lParam);
  } else {
    owner->PostMessage(id, wParam, lParam);
  }
}

void CVyr3MovieWnd::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor::fromRgb(kBackground));
  if (!player_) return;
  const HeldFrame frame = player_->LatestFrame();
  if (frame.IsEmpty()) return;
  const ViewRect target = PictureRect(frame.width(), frame.height(), width(), height(), fit_ == 1);
  if (target.IsEmpty()) return;
  // The pipeline's own bytes, wrapped; the image lives no longer than `frame`.
  const QImage image(frame.data(), frame.width(), frame.height(), frame.stride(), QImage::Format_RGB32);
  const bool scaled = target.width != frame.width() || target.height != frame.height();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, scaled);
  painter.drawImage(ToQRect(target), image);
}

void CVyr3MovieWnd::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const bool inside = ControlBarBand(width(), height()).Contains(at.x(), at.y());
  if (inside && !inControlBand_) {
    inControlBand_ = true;
    SetCapture();
    Report(message::kPointerActivity, 0, 0, true);
  } else if (!inside && inControlBand_) {
    inControlBand_ = false;
    ReleaseCapture();
  }
  MovieView::mouseMoveEvent(event);
}

}  // namespace orvilo::movie
