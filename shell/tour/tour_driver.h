// Runs scripted steps from the event loop, never blocking it: each step is
// a list of phases, each phase an action followed by a wait for its real
// outcome, checked on a timer until it holds, fails or times out. A failed
// step is recorded with its reason, put right as far as it can be, and the
// tour goes on with the next step. Screenshots of the window go into the
// tour's folder.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "shell/tour/tour_report.h"

class QWidget;

namespace orvilo::shell::tour {

// What a check says each time it is asked.
struct Verdict {
  enum class Kind { Wait, Done, Fail };
  Kind kind = Kind::Wait;
  std::string reason;
  static Verdict Holds(bool condition) { return {condition ? Kind::Done : Kind::Wait, {}}; }
  static Verdict Failed(std::string why) { return {Kind::Fail, std::move(why)}; }
};

struct Phase {
  std::function<void()> act;        // run once, from the event loop
  int settleMs = 0;                 // waited after the action before the first check
  std::function<Verdict()> until;   // empty: done once settled
  int timeoutMs = 10000;            // after settling
  std::string timeoutReason;        // the step's reason when `until` never holds
  std::string screenshot;           // when set: a screenshot named after it once the phase is done
};

struct Step {
  std::string name;
  std::vector<Phase> phases;
  // Files the step leaves in the folder (listed in the report when they exist).
  std::vector<std::string> artefacts;
  // What was measured, asked once the step ended (ok or not).
  std::function<std::string()> detail;
  // Puts the window back in order after a failure (a recording left running).
  std::function<void()> onFailure;
};

class TourDriver : public QObject {
  Q_OBJECT
 public:
  // `window` is the one screenshots show; `folder` receives them.
  TourDriver(QWidget* window, std::string folder, std::vector<Step> steps, const QElapsedTimer& clock);

  // Starts the first step once the event loop runs; `betweenSteps` (may be
  // empty) is called after each step, `finished` after the last one.
  void Start(std::function<void()> finished, std::function<void()> betweenSteps = {});
  const std::vector<StepRecord>& Records() const { return records_; }
  // The window has gone before the steps ended: the step under way fails
  // and every later one is recorded as not run, each with `reason`.
  void Abandon(const std::string& reason);

  // A screenshot of the window as it shows on the screen; the file's name,
  // or empty when none could be taken.
  std::string Screenshot(const std::string& name);

 private:
  void BeginStep();
  void BeginPhase();
  void Check();
  void EndStep(bool ok, const std::string& reason);
  void FinishStep(bool ok, const std::string& reason);

  QWidget* window_;
  std::string folder_;
  std::vector<Step> steps_;
  const QElapsedTimer& clock_;
  std::function<void()> finished_;
  std::function<void()> betweenSteps_;
  std::vector<StepRecord> records_;
  QTimer poll_;
  std::size_t step_ = 0;
  std::size_t phase_ = 0;
  long long phaseChecksFrom_ = 0;  // clock time when checking began
  bool stepShot_ = false;
  bool stepUnderWay_ = false;
};

}  // namespace orvilo::shell::tour
