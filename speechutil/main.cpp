// Sonara_PC_App_M: the text-to-speech editor. Reads its settings from the
// folder it was started in, runs the editor window, and writes the settings
// back when the window closes — also when a logout, shutdown or Ctrl-C
// closes it.
#include <QApplication>
#include <filesystem>

#include "platform/sys/program_folder.h"
#include "platform/win/termination_requests.h"
#include "speechutil/editor_texts.h"
#include "speechutil/error_log.h"
#include "speechutil/sonara_settings.h"
#include "speechutil/speech_editor_dlg.h"

int main(int argc, char** argv) {
  using namespace orvilo::speechutil;
  QApplication application(argc, argv);
  std::error_code error;
  std::string startFolder = std::filesystem::current_path(error).string();
  if (error) startFolder = ".";
  const std::string programFolder = orvilo::sys::ProgramFolder();

  SonaraSettings settings = LoadSettings(SettingsPath(startFolder));
  CSpeechEditorDlg::Environment environment;
  environment.startFolder = startFolder;
  environment.programFolder = programFolder;
  environment.version = ORVILO_VERSION_TEXT;
  environment.logPath = LogPathForProgram(orvilo::sys::JoinPath(programFolder, "Sonara_PC_App_M"));
  environment.interfaceLanguage = SystemInterfaceLanguage();
  // A signal or the session ending closes the window as File > Exit does:
  // the speech stops with the window and the settings are written below.
  // One that comes while the window is being made (an engine error shown
  // from its constructor) closes that message and keeps the window from
  // opening at all. Kept until the settings are written: a first signal
  // that comes while they are written waits for them (the program is ending
  // anyway) where the default disposition would cut them off; a second one
  // still ends the program at once.
  bool requested = false;
  orvilo::win::TerminationRequests termination([&requested] {
    requested = true;
    orvilo::win::TerminationRequests::CloseEveryWindow();
  });
  {
    CSpeechEditorDlg dialog(settings, environment);
    if (!requested) dialog.DoModal();
  }
  SaveSettings(SettingsPath(startFolder), settings);
  return 0;
}
