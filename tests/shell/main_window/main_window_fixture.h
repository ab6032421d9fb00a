// Runs the main window with recording children, scripted dialogs and a
// temporary program folder, and lets a test act inside its modal loop.
#pragma once

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>

#include "ui/picker_popup.h"
#include "platform/win/common_dialogs.h"
#include "fake_services.h"
#include "log_assertions.h"
#include "recording_children.h"
#include "shell/main_window.h"

namespace orvilo::shell::testing {

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest();

  // A camera of `model` (0: none attached).
  void AttachCamera(int model);
  // Runs the main window; `body` runs once it has initialised, inside its
  // modal loop, and the window then ends (unless the body ended it). The
  // window is destroyed (settings written) before Run returns its result.
  int Run(const std::function<void(CVyr3Dlg&)>& body);

  // Sends a command and lets posted follow-ups run.
  void Command(CVyr3Dlg& window, int id);
  void Message(CVyr3Dlg& window, std::uint32_t id, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
  static void ProcessEvents();

  std::string ProgramFolder() const { return folder_.path().toStdString(); }
  std::string Setting(const std::string& key) const;
  void WriteSettings(const std::string& text) const;

  // True when `calls` appear in the log in this order (others may lie between).
  ::testing::AssertionResult LogHasInOrder(const std::vector<std::string>& calls) const;
  bool Logged(const std::string& call) const;

  QTemporaryDir folder_;
  CallLog log;
  FakeDevices devices;
  RecordingChildFactory factory{log};
  ScriptedSettingsDialog settingsDialog;
  FakeMasterVolume volume;
  win::ScopedScriptedDialogs files;
  ui::ScopedScriptedPickers pickers;
  int screenHeight = 1040;
  int systemLanguage = 1042;
};

}  // namespace orvilo::shell::testing
