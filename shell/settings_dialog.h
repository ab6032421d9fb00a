// The settings dialog as its callers use it: choose a page, set the inputs,
// run it modally, read the outputs. CVyrResolutionDLG is the real dialog;
// SettingsDialogRunner lets windows be tested with a scripted one.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace orvilo::shell {

class CameraSearch;

enum class SettingsPage {
  Resolution = 0,        // camera models 0-4
  ResolutionGroupB = 1,  // models 5, 6
  Settings = 2,          // image and movie folders, camera settings
  About = 3,
  Dictionary = 5,
  NoCamera = 6,          // "Searching for Camera": closed, or OK when a camera came
  ArChapter = 7,
  Rename = 8,
  ResolutionGroupC = 9  // models 7, 8
};

// Inputs before the run, outputs after it (the dialog's fields).
struct SettingsDialogState {
  SettingsPage page = SettingsPage::Resolution;
  std::string text1;           // image folder (page 2), Korean dictionary path (5), name (8)
  std::string text2;           // video folder (page 2), English dictionary path (5)
  std::string dictionaryText;  // output of page 5
  int resolutionIndex = 2;     // pages 0, 1, 9
  int dictionaryLanguage = 0;  // page 5: 0 Korean, 1 English
  int arGrade = 0;             // page 7 input
  int arSemester = 0;          // page 7 input and output
  int arUnit = 0;
  // Page 6 input: the search the page runs while it shows; it ends the page
  // with OK once a supported camera is listed. None: the page only waits to
  // be closed.
  CameraSearch* cameraSearch = nullptr;
};

class SettingsDialogRunner {
 public:
  virtual ~SettingsDialogRunner() = default;
  // Runs the page modally over `owner`; 1 OK, 2 Cancel, 8 close.
  virtual int Run(QWidget* owner, SettingsDialogState& state) = 0;
};

// A double for tests: each run is recorded and answered by the next scripted
// step (which may change the outputs); an exhausted script answers Cancel.
class ScriptedSettingsDialog : public SettingsDialogRunner {
 public:
  struct Step {
    int result;
    std::function<void(SettingsDialogState&)> edit;
  };
  std::deque<Step> steps;
  std::vector<SettingsDialogState> runs;

  int Run(QWidget* owner, SettingsDialogState& state) override;
};

}  // namespace orvilo::shell
