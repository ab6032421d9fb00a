#include "shell/application.h"

#include <cstdio>

#include "camera/capture_devices.h"
#include "ui/picker_popup.h"
#include "ui/touch_reach.h"
#include "platform/media/demo_camera_plug.h"
#include "platform/sys/program_folder.h"
#include "platform/win/termination_requests.h"
#include "platform/sys/ui_language.h"
#include "platform/audio/master_volume.h"
#include "shell/default_child_factory.h"
#include "shell/main_window.h"
#include "shell/resolution_dialog.h"
#include "core/settings/settings_store.h"
#include "shell/tour/lesson_tour.h"

namespace orvilo::shell {

int CVyr3App::Run() {
  InitInstance();
  ExitInstance();
  return exitCode_;
}

bool CVyr3App::InitInstance() {
  // A second copy ends silently and leaves the running one alone. When no
  // lock file can be made at all, running unguarded beats not running.
  if (instance_.Acquire(kInstanceName) == sys::SingleInstanceLock::Result::AlreadyRunning) {
    // A tour cannot run beside a running copy: that is a failed tour, not a quiet end.
    if (!options_.tourFolder.empty()) {
      std::fprintf(stderr, "tour: another copy of the program is running\n");
      exitCode_ = 1;
    }
    return false;
  }
  std::unique_ptr<tour::LessonTour> lesson;
  if (!options_.tourFolder.empty()) {
    lesson = std::make_unique<tour::LessonTour>(options_.tourFolder);
    if (std::string error; !lesson->Prepare(error)) {
      std::fprintf(stderr, "tour: %s\n", error.c_str());
      exitCode_ = 1;
      return false;
    }
  }

  const std::string programFolder = sys::ProgramFolder();
  const int systemLanguage = sys::SystemUiLanguage();
  std::unique_ptr<media::DeviceEnumerator> devices = media::MakeSystemDeviceEnumerator();
  if (options_.demoCamera) {
    // The test hook for plugging the demo camera in and out (docs/beyond.md).
    media::SetDemoCameraPlugFile(media::DemoCameraPlugFileFromEnvironment());
    devices = media::MakeDemoDeviceEnumerator(std::move(devices));
  }
  DefaultChildWindowFactory children;
  const core::SettingsStore componentLanguage(programFolder, systemLanguage);
  ResolutionDialogRunner settingsDialog([&componentLanguage] { return componentLanguage.IsKoreanComponentLanguage(); });
  ui::PopupPickers pickers(componentLanguage.IsKoreanComponentLanguage());
  ui::PickerRunner::Install(&pickers);
  // Fingers reach small buttons and the tabs from 40 px around them.
  const ui::TouchReach touchReach;

  audio::SystemMasterVolume masterVolume;
  MainWindowServices services;
  services.programFolder = programFolder;
  services.systemLanguage = systemLanguage;
  services.devices = devices.get();
  services.children = &children;
  services.settingsDialog = lesson ? &lesson->SettingsDialog() : static_cast<SettingsDialogRunner*>(&settingsDialog);
  services.masterVolume = &masterVolume;
  {
    CVyr3Dlg mainWindow(std::move(services));
    // A logout, shutdown or Ctrl-C ends the program the way closing its
    // window does, so nothing that closing keeps is lost.
    win::TerminationRequests termination([] { win::TerminationRequests::CloseEveryWindow(); });
    if (lesson) lesson->Start(mainWindow);
    mainWindow.DoModal();
  }
  if (lesson) exitCode_ = lesson->Finish();
  ui::PickerRunner::Install(nullptr);
  return false;
}

int CVyr3App::ExitInstance() { return 0; }

}  // namespace orvilo::shell
