#include "shell/tour/lesson_tour.h"

#include <QDateTime>
#include <QTimer>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "core/command_ids.h"
#include "platform/sys/program_folder.h"
#include "shell/main_window.h"
#include "shell/tour/lesson_steps.h"
#include "shell/tour/tour_report.h"

namespace orvilo::shell::tour {

namespace {
// A window that has not ended this long after Close never will: the tour
// reports it and ends the program itself.
constexpr int kShutdownTimeoutMs = 30000;
constexpr const char* kReportFile = "report.json";

// "07-recording-recording.png": a screenshot of an earlier tour.
bool IsScreenshotName(const std::string& name) {
  return name.size() > 7 && std::isdigit(static_cast<unsigned char>(name[0])) &&
         std::isdigit(static_cast<unsigned char>(name[1])) && name[2] == '-' &&
         name.compare(name.size() - 4, 4, ".png") == 0;
}
}  // namespace

LessonTour::LessonTour(std::string folder) : folder_(std::move(folder)) {}

LessonTour::~LessonTour() {
  if (dialogsInstalled_) win::CommonDialogs::Install(previousDialogs_);
}

bool LessonTour::Prepare(std::string& error) {
  std::error_code made;
  std::filesystem::create_directories(folder_, made);
  if (made || !std::filesystem::is_directory(folder_)) {
    error = "cannot make the tour folder " + folder_ + (made ? ": " + made.message() : std::string());
    return false;
  }
  folder_ = std::filesystem::absolute(folder_).lexically_normal().string();
  // Whatever was chosen before, the lesson's speech is heard into its folder.
  setenv("ORVILO_AUDIO_OUT", ("wav:" + sys::JoinPath(folder_, kSpeechFile)).c_str(), 1);
  // What an earlier tour left would pass for this one's outcome (a still
  // that was never written now): the files the tour writes go first, and
  // only those.
  for (const char* name : {kReportFile, kStillFile, kDrawingFile, kLearningFile, kRecordingFile, kGrabFile, kSpeechFile}) {
    std::remove(sys::JoinPath(folder_, name).c_str());
  }
  for (const auto& entry : std::filesystem::directory_iterator(folder_, made)) {
    const std::string name = entry.path().filename().string();
    if (IsScreenshotName(name)) std::filesystem::remove(entry.path(), made);
  }
  previousDialogs_ = win::CommonDialogs::Install(&dialogs_);
  dialogsInstalled_ = true;
  clock_.start();
  started_ = QDateTime::currentDateTime().toString(Qt::ISODateWithMs).toStdString();
  return true;
}

void LessonTour::Start(CVyr3Dlg& window) {
  driver_ = std::make_unique<TourDriver>(&window, folder_, LessonSteps(window, dialogs_, folder_), clock_);
  // An answer a step named but no dialog took must not answer a later one.
  driver_->Start([this, &window] { Shutdown(window); }, [this] { dialogs_.ForgetAnswer(); });
}

// The last step: the close button, then the window ends and is destroyed
// (Finish completes the step once that has happened).
void LessonTour::Shutdown(CVyr3Dlg& window) {
  shutdownBegun_ = true;
  shutdown_.name = "shutdown";
  shutdown_.startMs = clock_.elapsed();
  std::printf("tour: shutdown\n");
  std::fflush(stdout);
  window.PostCommand(command::kClose);
  QTimer::singleShot(kShutdownTimeoutMs, driver_.get(), [this] {
    shutdown_.ok = false;
    shutdown_.reason = "the main window did not end within 30 s";
    shutdown_.durationMs = clock_.elapsed() - shutdown_.startMs;
    std::vector<StepRecord> records = driver_->Records();
    records.push_back(shutdown_);
    WriteTourReport(sys::JoinPath(folder_, kReportFile), started_, records);
    std::fprintf(stderr, "tour: %s\n", shutdown_.reason.c_str());
    std::_Exit(1);
  });
}

int LessonTour::Finish() {
  shutdown_.name = "shutdown";
  if (shutdownBegun_) {
    shutdown_.durationMs = clock_.elapsed() - shutdown_.startMs;
    shutdown_.ok = true;
  } else {
    // Closed from outside (a signal, the window system) or never shown
    // (no camera): what did not happen is listed as such.
    shutdown_.startMs = clock_.elapsed();
    shutdown_.reason = "the main window ended before the lesson did";
    if (driver_) driver_->Abandon("the main window ended");
  }
  std::vector<StepRecord> records = driver_ ? driver_->Records() : std::vector<StepRecord>{};
  for (const std::string& refused : dialogs_.Unanswered()) {
    shutdown_.detail += (shutdown_.detail.empty() ? "dialogs cancelled: " : ", ") + refused;
  }
  records.push_back(shutdown_);
  driver_.reset();
  std::printf("tour: shutdown %s (%lld ms)\n", shutdown_.ok ? "ok" : "failed", shutdown_.durationMs);
  const std::string report = sys::JoinPath(folder_, kReportFile);
  if (!WriteTourReport(report, started_, records)) {
    std::fprintf(stderr, "tour: cannot write %s\n", report.c_str());
    return 1;
  }
  const bool ok = EveryStepOk(records);
  std::printf("tour: %s, report in %s\n", ok ? "every step ok" : "some steps failed", report.c_str());
  return ok ? 0 : 1;
}

}  // namespace orvilo::shell::tour
