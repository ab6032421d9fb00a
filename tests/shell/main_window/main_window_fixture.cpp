#include "main_window_fixture.h"

#include <QCoreApplication>
#include <QTimer>

#include "platform/sys/file_io.h"
#include "core/settings/settings_store.h"

namespace orvilo::shell::testing {

MainWindowTest::MainWindowTest() { AttachCamera(8); }

void MainWindowTest::AttachCamera(int model) { devices.AttachCamera(model); }

int MainWindowTest::Run(const std::function<void(CVyr3Dlg&)>& body) {
  MainWindowServices services;
  services.programFolder = ProgramFolder();
  services.systemLanguage = systemLanguage;
  services.devices = &devices;
  services.children = &factory;
  services.settingsDialog = &settingsDialog;
  services.masterVolume = &volume;
  services.availableScreenHeight = screenHeight;
  auto window = std::make_unique<CVyr3Dlg>(std::move(services));
  QTimer::singleShot(0, window.get(), [&] {
    body(*window);
    window->EndDialog(win::kResultOk);
  });
  const int result = window->DoModal();
  window.reset();
  return result;
}

void MainWindowTest::Command(CVyr3Dlg& window, int id) {
  window.SendCommand(id);
  ProcessEvents();
}

void MainWindowTest::Message(CVyr3Dlg& window, std::uint32_t id, std::uintptr_t wParam, std::intptr_t lParam) {
  window.SendMessage(id, wParam, lParam);
  ProcessEvents();
}

void MainWindowTest::ProcessEvents() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

std::string MainWindowTest::Setting(const std::string& key) const {
  return core::SettingsStore(ProgramFolder(), systemLanguage).Read(key);
}

void MainWindowTest::WriteSettings(const std::string& text) const {
  ASSERT_TRUE(sys::SaveFileAtomically(ProgramFolder() + "/QEL-3.ini", text));
}

::testing::AssertionResult MainWindowTest::LogHasInOrder(const std::vector<std::string>& calls) const {
  return HasInOrder(log, calls);
}

bool MainWindowTest::Logged(const std::string& call) const { return Contains(log, call); }

}  // namespace orvilo::shell::testing
