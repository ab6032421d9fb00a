// The save dialog of the export: besides the path it must tell which of the
// 28 format entries was chosen, which the common dialogs do not, so it has
// an injectable interface of its own with a scripted double for tests.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/win/scripted_double.h"

class QWidget;

namespace orvilo::speechutil {

struct ExportChoice {
  std::string path;     // as typed (the caller adds a missing extension)
  int filterIndex = 1;  // 1-based entry of the filter
};

class ExportFileDialog {
 public:
  virtual ~ExportFileDialog() = default;
  // Save dialog over `filter` ("label|pattern|...||") with entry
  // `filterIndex` preselected; asks before replacing a file; the folder
  // must exist. Empty when cancelled.
  virtual std::optional<ExportChoice> Run(QWidget* owner, const std::string& filter, int filterIndex) = 0;

  static ExportFileDialog& Current();
  static ExportFileDialog* Install(ExportFileDialog* dialog);
};

class ScriptedExportFileDialog : public ExportFileDialog {
 public:
  std::deque<std::optional<ExportChoice>> answers;
  std::vector<int> preselected;  // filterIndex of each request
  std::optional<ExportChoice> Run(QWidget*, const std::string&, int filterIndex) override {
    preselected.push_back(filterIndex);
    return win::TakeScriptedAnswer(answers);
  }
};

using ScopedScriptedExportFileDialog = win::ScopedInstall<ScriptedExportFileDialog>;

}  // namespace orvilo::speechutil
