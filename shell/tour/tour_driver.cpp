#include "shell/tour/tour_driver.h"

#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <filesystem>

#include "platform/sys/program_folder.h"

namespace orvilo::shell::tour {

namespace {
constexpr int kCheckEveryMs = 100;
// A check can hold before the window has painted what it shows (a mode
// switched, a movie frame captured): a screenshot waits for the repaint.
constexpr int kRepaintMs = 300;

std::string ShotName(std::size_t step, const std::string& name, const std::string& moment) {
  char prefix[8];
  std::snprintf(prefix, sizeof prefix, "%02zu-", step + 1);
  return prefix + name + (moment.empty() ? std::string() : "-" + moment);
}
}  // namespace

TourDriver::TourDriver(QWidget* window, std::string folder, std::vector<Step> steps, const QElapsedTimer& clock)
    : window_(window), folder_(std::move(folder)), steps_(std::move(steps)), clock_(clock) {
  poll_.setInterval(kCheckEveryMs);
  connect(&poll_, &QTimer::timeout, this, &TourDriver::Check);
}

void TourDriver::Start(std::function<void()> finished, std::function<void()> betweenSteps) {
  finished_ = std::move(finished);
  betweenSteps_ = std::move(betweenSteps);
  step_ = 0;
  QTimer::singleShot(0, this, &TourDriver::BeginStep);
}

std::string TourDriver::Screenshot(const std::string& name) {
  // The screen's pixels show what a person sees, the viewer of an AR unit
  // embedded from another process included; a platform without a screen
  // to read gets the window's own rendering.
  QPixmap picture;
  if (QScreen* screen = window_->screen(); screen != nullptr && window_->windowHandle() != nullptr) {
    picture = screen->grabWindow(window_->winId());
  }
  if (picture.isNull()) picture = window_->grab();
  const std::string file = name + ".png";
  if (picture.isNull() || !picture.save(QString::fromStdString(sys::JoinPath(folder_, file)), "PNG")) return {};
  return file;
}

void TourDriver::BeginStep() {
  if (step_ >= steps_.size()) {
    if (finished_) finished_();
    return;
  }
  StepRecord record;
  record.name = steps_[step_].name;
  record.startMs = clock_.elapsed();
  records_.push_back(std::move(record));
  stepUnderWay_ = true;
  std::printf("tour: %s\n", steps_[step_].name.c_str());
  std::fflush(stdout);
  phase_ = 0;
  stepShot_ = false;
  BeginPhase();
}

void TourDriver::BeginPhase() {
  const Step& step = steps_[step_];
  if (phase_ >= step.phases.size()) {
    EndStep(true, {});
    return;
  }
  const Phase& phase = step.phases[phase_];
  if (phase.act) phase.act();
  phaseChecksFrom_ = clock_.elapsed() + phase.settleMs;
  QTimer::singleShot(phase.settleMs, this, [this] {
    poll_.start();
    Check();
  });
}

void TourDriver::Check() {
  if (step_ >= steps_.size()) return;
  const Step& step = steps_[step_];
  if (phase_ >= step.phases.size()) return;
  const Phase& phase = step.phases[phase_];
  const Verdict verdict = phase.until ? phase.until() : Verdict::Holds(true);
  if (verdict.kind == Verdict::Kind::Wait) {
    if (clock_.elapsed() - phaseChecksFrom_ < phase.timeoutMs) return;
    poll_.stop();
    EndStep(false, phase.timeoutReason.empty() ? "timed out" : phase.timeoutReason);
    return;
  }
  poll_.stop();
  if (verdict.kind == Verdict::Kind::Fail) {
    EndStep(false, verdict.reason);
    return;
  }
  if (phase.screenshot.empty()) {
    ++phase_;
    BeginPhase();
    return;
  }
  stepShot_ = true;
  const std::string name = ShotName(step_, step.name, phase.screenshot);
  QTimer::singleShot(kRepaintMs, this, [this, name] {
    if (step_ >= steps_.size()) return;  // abandoned meanwhile
    const std::string shot = Screenshot(name);
    if (!shot.empty()) records_.back().artefacts.push_back(shot);
    ++phase_;
    BeginPhase();
  });
}

void TourDriver::Abandon(const std::string& reason) {
  poll_.stop();
  if (stepUnderWay_ && !records_.empty()) {
    records_.back().reason = reason;
    records_.back().durationMs = clock_.elapsed() - records_.back().startMs;
    stepUnderWay_ = false;
    ++step_;
  }
  for (; step_ < steps_.size(); ++step_) {
    StepRecord record;
    record.name = steps_[step_].name;
    record.startMs = clock_.elapsed();
    record.reason = "not run: " + reason;
    records_.push_back(std::move(record));
  }
}

// A step without a screenshot of its own gets one at its end, showing how
// it ended (before a failed step is put right).
void TourDriver::EndStep(bool ok, const std::string& reason) {
  if (stepShot_) {
    FinishStep(ok, reason);
    return;
  }
  stepShot_ = true;
  QTimer::singleShot(kRepaintMs, this, [this, ok, reason] {
    if (step_ >= steps_.size()) return;  // abandoned meanwhile
    const std::string shot = Screenshot(ShotName(step_, steps_[step_].name, {}));
    if (!shot.empty()) records_.back().artefacts.push_back(shot);
    FinishStep(ok, reason);
  });
}

void TourDriver::FinishStep(bool ok, const std::string& reason) {
  const Step& step = steps_[step_];
  StepRecord& record = records_.back();
  if (!ok && step.onFailure) step.onFailure();
  std::error_code error;
  for (const std::string& name : step.artefacts) {
    if (std::filesystem::exists(sys::JoinPath(folder_, name), error)) record.artefacts.push_back(name);
  }
  record.ok = ok;
  record.reason = reason;
  if (step.detail) record.detail = step.detail();
  record.durationMs = clock_.elapsed() - record.startMs;
  stepUnderWay_ = false;
  if (betweenSteps_) betweenSteps_();
  std::printf("tour: %s %s%s%s (%lld ms)\n", record.name.c_str(), ok ? "ok" : "failed", ok ? "" : ": ",
              reason.c_str(), record.durationMs);
  std::fflush(stdout);
  ++step_;
  QTimer::singleShot(0, this, &TourDriver::BeginStep);
}

}  // namespace orvilo::shell::tour
