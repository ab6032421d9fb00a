#include "speechutil/export_file_dialog.h"

#include <QFileDialog>
#include <QStringList>

#include "platform/win/common_dialogs.h"

namespace orvilo::speechutil {
namespace {

class ToolkitExportFileDialog : public ExportFileDialog {
 public:
  std::optional<ExportChoice> Run(QWidget* owner, const std::string& filter, int filterIndex) override {
    QStringList filters;
    for (const auto& entry : win::NameFiltersFromWindowsFilter(filter)) filters << QString::fromStdString(entry);
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    if (filterIndex >= 1 && filterIndex <= filters.size()) dialog.selectNameFilter(filters[filterIndex - 1]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    ExportChoice choice;
    choice.path = dialog.selectedFiles().front().toStdString();
    const qsizetype chosen = filters.indexOf(dialog.selectedNameFilter());
    choice.filterIndex = chosen >= 0 ? static_cast<int>(chosen) + 1 : filterIndex;
    return choice;
  }
};

ExportFileDialog* installed = nullptr;

}  // namespace

ExportFileDialog& ExportFileDialog::Current() {
  static ToolkitExportFileDialog toolkit;
  return installed != nullptr ? *installed : toolkit;
}

ExportFileDialog* ExportFileDialog::Install(ExportFileDialog* dialog) {
  ExportFileDialog* previous = installed;
  installed = dialog;
  return previous;
}

}  // namespace orvilo::speechutil
