#include "platform/win/common_dialogs.h"

#include <QFileDialog>
#include <algorithm>
#include <cstdlib>
#include <QFont>
#include <QFontDialog>
#include <QStringList>

namespace orvilo::win {
namespace {

QString ToQString(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
std::string ToStdString(const QString& text) { return text.toUtf8().toStdString(); }

// Font heights below zero are character heights in pixels; the toolkit's
// pixel size is the same measure.
QFont ToQFont(const FontDescription& description) {
  QFont font(ToQString(description.face));
  font.setPixelSize(description.height == 0 ? 12 : std::abs(description.height));
  font.setWeight(static_cast<QFont::Weight>(std::clamp(description.weight, 100, 900)));
  font.setItalic(description.italic);
  font.setUnderline(description.underline);
  font.setStrikeOut(description.strikeOut);
  return font;
}

FontDescription FromQFont(const QFont& font, int charSet) {
  FontDescription description;
  description.face = ToStdString(font.family());
  description.height = -(font.pixelSize() > 0 ? font.pixelSize() : qRound(font.pointSizeF() * 96.0 / 72.0));
  description.weight = static_cast<int>(font.weight());
  description.italic = font.italic();
  description.underline = font.underline();
  description.strikeOut = font.strikeOut();
  description.charSet = charSet;
  return description;
}

class ToolkitDialogs : public CommonDialogs {
 public:
  std::optional<std::string> RunFileDialog(QWidget* owner, const FileDialogRequest& request) override {
    QFileDialog dialog(owner, ToQString(request.title), ToQString(request.initialFolder));
    QStringList filters;
    for (const auto& filter : NameFiltersFromWindowsFilter(request.filter)) filters << ToQString(filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    const bool save = request.kind == FileDialogRequest::Kind::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.defaultExtension.empty()) dialog.setDefaultSuffix(ToQString(request.defaultExtension));
    if (!request.initialName.empty()) dialog.selectFile(ToQString(request.initialName));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return ToStdString(dialog.selectedFiles().front());
  }

  std::vector<std::string> RunFilesDialog(QWidget* owner, const FileDialogRequest& request) override {
    QFileDialog dialog(owner, ToQString(request.title), ToQString(request.initialFolder));
    QStringList filters;
    for (const auto& filter : NameFiltersFromWindowsFilter(request.filter)) filters << ToQString(filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    std::vector<std::string> chosen;
    if (dialog.exec() != QDialog::Accepted) return chosen;
    for (const QString& file : dialog.selectedFiles()) chosen.push_back(ToStdString(file));
    return chosen;
  }

  std::optional<std::string> RunFolderDialog(QWidget* owner, const FolderDialogRequest& request) override {
    const QString folder = QFileDialog::getExistingDirectory(owner, ToQString(request.title),
                                                             ToQString(request.initialFolder), QFileDialog::ShowDirsOnly);
    if (folder.isEmpty()) return std::nullopt;
    return ToStdString(folder);
  }

  std::optional<FontDescription> RunFontDialog(QWidget* owner, const FontDescription& initial) override {
    bool accepted = false;
    const QFont font = QFontDialog::getFont(&accepted, ToQFont(initial), owner);
    if (!accepted) return std::nullopt;
    return FromQFont(font, initial.charSet);
  }
};

CommonDialogs* installed = nullptr;

}  // namespace

CommonDialogs& CommonDialogs::Current() {
  static ToolkitDialogs toolkit;
  return installed != nullptr ? *installed : toolkit;
}

CommonDialogs* CommonDialogs::Install(CommonDialogs* dialogs) {
  CommonDialogs* previous = installed;
  installed = dialogs;
  return previous;
}

std::vector<std::string> NameFiltersFromWindowsFilter(const std::string& filter) {
  std::vector<std::string> parts;
  std::string::size_type start = 0;
  while (start <= filter.size()) {
    const auto bar = filter.find('|', start);
    parts.push_back(filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  std::vector<std::string> result;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].empty() && parts[i + 1].empty()) break;  // the "||" that ends the list
    std::string patterns = parts[i + 1];
    for (char& c : patterns) {
      if (c == ';') c = ' ';
    }
    result.push_back(parts[i] + " (" + patterns + ")");
  }
  return result;
}

std::optional<std::string> ScriptedDialogs::RunFileDialog(QWidget*, const FileDialogRequest& request) {
  fileRequests.push_back(request);
  return TakeScriptedAnswer(fileAnswers);
}

std::vector<std::string> ScriptedDialogs::RunFilesDialog(QWidget*, const FileDialogRequest& request) {
  fileRequests.push_back(request);
  if (filesAnswers.empty()) return {};
  std::vector<std::string> answer = std::move(filesAnswers.front());
  filesAnswers.pop_front();
  return answer;
}

std::optional<std::string> ScriptedDialogs::RunFolderDialog(QWidget*, const FolderDialogRequest& request) {
  folderRequests.push_back(request);
  return TakeScriptedAnswer(folderAnswers);
}

std::optional<FontDescription> ScriptedDialogs::RunFontDialog(QWidget*, const FontDescription& initial) {
  fontRequests.push_back(initial);
  return TakeScriptedAnswer(fontAnswers);
}

}  // namespace orvilo::win
