// The lesson tour (--tour <folder>): the program runs a scripted lesson
// through its real windows and engines and leaves in the folder a
// screenshot of each step, the files the lesson made (still, drawing,
// learning file, recording, captured frame, speech) and report.json with
// each step's timing and outcome. See docs/tour.md.
//
// The application object drives it: Prepare before any window or engine
// exists (the folder, the speech output into it, the dialogs answered by
// the tour), Start once the main window is made, Finish after it is gone.
#pragma once

#include <QElapsedTimer>
#include <memory>
#include <string>

#include "shell/tour/tour_answers.h"
#include "shell/tour/tour_driver.h"

namespace orvilo::shell {
class CVyr3Dlg;
}

namespace orvilo::shell::tour {

class LessonTour {
 public:
  explicit LessonTour(std::string folder);
  ~LessonTour();
  LessonTour(const LessonTour&) = delete;
  LessonTour& operator=(const LessonTour&) = delete;

  // Makes the folder and points the speech output at its speech file;
  // false (with `error` said) when the folder cannot be made.
  bool Prepare(std::string& error);
  // The settings dialog as the tour answers it.
  SettingsDialogRunner& SettingsDialog() { return settingsDialog_; }

  // Schedules the lesson on `window`'s event loop; its last step closes the
  // window.
  void Start(CVyr3Dlg& window);
  // After the main window has ended: the shutdown step, the report. The
  // program's exit code: 0 when every step was ok.
  int Finish();

 private:
  void Shutdown(CVyr3Dlg& window);

  std::string folder_;
  TourDialogs dialogs_;
  win::CommonDialogs* previousDialogs_ = nullptr;
  bool dialogsInstalled_ = false;
  TourSettingsDialog settingsDialog_;
  QElapsedTimer clock_;
  std::string started_;
  std::unique_ptr<TourDriver> driver_;
  StepRecord shutdown_;
  bool shutdownBegun_ = false;
};

}  // namespace orvilo::shell::tour
