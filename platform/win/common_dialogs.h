// The common dialogs (open file, save file, folder, font) behind one
// injectable interface: windows ask CommonDialogs::Current(), the program
// uses the toolkit's dialogs, and tests install a ScriptedDialogs that
// answers from a script and records every request.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/win/scripted_double.h"

class QWidget;

namespace orvilo::win {

// Text fonts as windows describe them: face, height in pixels (negative =
// character height, as Windows font records), weight 100..900.
struct FontDescription {
  std::string face = "Arial";
  int height = -12;
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  int charSet = 1;  // default character set
  bool operator==(const FontDescription&) const = default;
};

struct FileDialogRequest {
  enum class Kind { Open, Save };
  Kind kind = Kind::Open;
  std::string title;             // empty: the toolkit's default title
  std::string filter;            // "text|patterns|text|patterns||"
  std::string defaultExtension;  // without the dot; added to a name typed without one
  std::string initialName;       // empty: no preset name
  std::string initialFolder;     // empty: the toolkit's default folder
  bool hideReadOnly = true;
  bool overwritePrompt = false;  // save dialogs: ask before replacing a file
  bool operator==(const FileDialogRequest&) const = default;
};

struct FolderDialogRequest {
  std::string title;
  std::string initialFolder;  // empty: no preselection
  bool operator==(const FolderDialogRequest&) const = default;
};

class CommonDialogs {
 public:
  virtual ~CommonDialogs() = default;
  // The chosen path (UTF-8), or empty when cancelled.
  virtual std::optional<std::string> RunFileDialog(QWidget* owner, const FileDialogRequest& request) = 0;
  // An open dialog in which several existing files may be chosen; empty
  // when cancelled.
  virtual std::vector<std::string> RunFilesDialog(QWidget* owner, const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> RunFolderDialog(QWidget* owner, const FolderDialogRequest& request) = 0;
  virtual std::optional<FontDescription> RunFontDialog(QWidget* owner, const FontDescription& initial) = 0;

  // The dialogs in use; the toolkit's unless a test installed others.
  static CommonDialogs& Current();
  // Installs `dialogs` (not owned; null restores the toolkit's) and returns the previous ones.
  static CommonDialogs* Install(CommonDialogs* dialogs);
};

// "A (x)|*.a;*.b|B|*.c||" -> name filters the toolkit understands:
// {"A (x) (*.a *.b)", "B (*.c)"}.
std::vector<std::string> NameFiltersFromWindowsFilter(const std::string& filter);

// A double for tests: answers in order from a script (an empty optional is
// a cancel; an exhausted script cancels) and records what was asked.
class ScriptedDialogs : public CommonDialogs {
 public:
  std::deque<std::optional<std::string>> fileAnswers;
  std::deque<std::vector<std::string>> filesAnswers;  // several-file dialogs, requests in fileRequests
  std::deque<std::optional<std::string>> folderAnswers;
  std::deque<std::optional<FontDescription>> fontAnswers;
  std::vector<FileDialogRequest> fileRequests;
  std::vector<FolderDialogRequest> folderRequests;
  std::vector<FontDescription> fontRequests;

  std::optional<std::string> RunFileDialog(QWidget* owner, const FileDialogRequest& request) override;
  std::vector<std::string> RunFilesDialog(QWidget* owner, const FileDialogRequest& request) override;
  std::optional<std::string> RunFolderDialog(QWidget* owner, const FolderDialogRequest& request) override;
  std::optional<FontDescription> RunFontDialog(QWidget* owner, const FontDescription& initial) override;
};

// Installs a ScriptedDialogs for the lifetime of the guard.
using ScopedScriptedDialogs = ScopedInstall<ScriptedDialogs>;

}  // namespace orvilo::win
