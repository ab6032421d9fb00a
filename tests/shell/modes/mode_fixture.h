// Runs one mode on its own: a recording host in place of the main window,
// and only the children the test gives it (every other entry stays empty,
// as for a child that failed to create).
#pragma once

#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <vector>
#include <memory>
#include <ostream>
#include <optional>
#include <string>

#include "core/settings/settings_store.h"
#include "log_assertions.h"
#include "recording_children.h"
#include "shell/command_bars.h"
#include "shell/modes/mode.h"
#include "shell/modes/stage.h"
#include "shell/settings_dialog.h"

namespace orvilo::shell::testing {

class RecordingModeHost : public ModeHost, Recorder {
 public:
  explicit RecordingModeHost(CallLog& log) : Recorder(log, "host") {}
  ViewMode current = ViewMode::Camera;
  gdi::Size client{1038, 861};
  std::deque<std::optional<std::string>> fileAnswers;  // one per dialog; none left: Cancel
  int settingsResult = 2;                               // Cancel
  std::function<void(SettingsDialogState&)> settingsEdit;  // the teacher's input
  std::vector<SettingsDialogState> settingsRuns;           // as each run was opened
  QWidget owner;

  ViewMode CurrentMode() const override { return current; }
  gdi::Size ClientSize() const override { return client; }
  void ShowCommandBar(ViewMode mode) override { Record("ShowCommandBar", mode); }
  void SwitchMode(ViewMode next, Handover content) override {
    Record("SwitchMode", next, content.picture, content.moviePlaying);
  }
  void OpenFile(ViewMode mode, const std::string& path) override { Record("OpenFile", mode, path); }
  std::optional<std::string> RunFileDialog(bool save, FileFilter filter, const std::string& extension) override {
    Record("RunFileDialog", save, filter, extension);
    if (fileAnswers.empty()) return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
  }
  int RunSettingsDialog(SettingsDialogState& state) override {
    settingsRuns.push_back(state);
    if (settingsEdit) settingsEdit(state);
    return Reply(settingsResult, "RunSettingsDialog");
  }
  void StartTimer(int id, int milliseconds) override { Record("StartTimer", id, milliseconds); }
  void StopTimer(int id) override { Record("StopTimer", id); }
  void RepaintFrame(const gdi::Rect&) override {}
  QWidget* Owner() override { return &owner; }
};

// One row of a table of leavings: the calls a mode makes when left for
// `next`, and the picture it hands over ("none" or "WxH").
struct LeaveCase {
  const char* name;
  ViewMode next;
  Entry entry;
  CallLog calls;
  const char* handedOver;
  friend std::ostream& operator<<(std::ostream& out, const LeaveCase& c) { return out << c.name; }
};

class ModeTest : public ::testing::Test {
 protected:
  ModeTest() {
    window.resize(1038, 861);
    window.show();
  }

  // A recording double of a child, shown in the window and kept in its
  // entry of the children table.
  template <typename Double, typename Entry, typename... Args>
  Double* Give(std::unique_ptr<Entry>& entry, Args... args) {
    auto made = std::make_unique<Double>(log, args...);
    Double* kept = made.get();
    made->setParent(&window);
    made->show();
    entry = std::move(made);
    return kept;
  }

  ModeContext Context() { return {host, children, bars, stage, settings, store}; }

  CallLog log;
  RecordingModeHost host{log};
  QWidget window;
  // Declared after the log: children record their destruction into it.
  ChildWindows children;
  CommandBars bars;
  Stage stage{children, [this] { return host.client; }};
  core::MainWindowSettings settings;
  QTemporaryDir folder;
  core::SettingsStore store{folder.path().toStdString(), 1042};
};

}  // namespace orvilo::shell::testing
