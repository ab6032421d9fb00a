#include "ar/ar_content.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/profile/private_profile.h"
#include "platform/profile/profile_file.h"
#include "platform/sys/program_folder.h"

namespace orvilo::ar {

namespace {

constexpr const char* kViewerFileName = "ARViewer.exe";

bool IsValidGrade(int grade) { return grade >= 1 && grade <= kGradeCount; }

bool IsFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

int ClampedNumber(const profile::ProfileFile& file, std::string_view section, std::string_view key, int limit) {
  return std::clamp(profile::ReadProfileNumber(file.Read(section, key)), 0, limit);
}

}  // namespace

std::string GradeSection(int grade) {
  char name[32];
  std::snprintf(name, sizeof name, "GRADE%02d", grade);
  return name;
}

std::string ChapterKey(int semester, int unit) { return "CHAPTER" + std::to_string(semester) + std::to_string(unit); }

std::string MarkerKey(int semester, int unit) { return "MARKER" + std::to_string(semester) + std::to_string(unit); }

ArContent::ArContent(std::string programFolder) : programFolder_(std::move(programFolder)) {}

std::string ArContent::ArFolder() const { return sys::JoinPath(programFolder_, "AR"); }

std::string ArContent::DescriptionPath() const { return sys::JoinPath(ArFolder(), "AR.ini"); }

std::string ArContent::ViewerPath(int grade, int semester, int unit) const {
  return ArFolder() + "/" + std::to_string(grade) + "/" + std::to_string(semester) + "/" + std::to_string(unit) + "/" +
         kViewerFileName;
}

std::optional<std::string> ArContent::PicturePath(int grade) const {
  if (grade != 0 && !IsValidGrade(grade)) return std::nullopt;
  const std::string value =
      profile::ReadProfileString(DescriptionPath(), grade == 0 ? std::string("AR") : GradeSection(grade), "IMAGE");
  if (value.empty()) return std::nullopt;
  std::string path = sys::JoinPath(ArFolder(), value);
  if (!IsFile(path)) return std::nullopt;
  return path;
}

bool ArContent::GradeHasContent(int grade) const {
  if (!IsValidGrade(grade)) return false;
  for (const int semester : {1, 2}) {
    const std::filesystem::path folder = std::filesystem::path(ArFolder()) / std::to_string(grade) / std::to_string(semester);
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) continue;
    // "." and ".." are entries of the semester folder too: a viewer in the
    // semester folder itself or in the grade folder counts.
    if (IsFile(folder / kViewerFileName) || IsFile(folder.parent_path() / kViewerFileName)) return true;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
      std::error_code kind;
      if (entry->is_directory(kind) && IsFile(entry->path() / kViewerFileName)) return true;
    }
  }
  return false;
}

bool ArContent::UnitHasContent(int grade, int semester, int unit) const {
  return IsValidGrade(grade) && IsFile(ViewerPath(grade, semester, unit));
}

GradePicker ArContent::Picker(int grade) const {
  GradePicker picker;
  if (!IsValidGrade(grade)) return picker;
  const profile::ProfileFile file = profile::ProfileFile::Load(DescriptionPath());
  const std::string section = GradeSection(grade);
  picker.width = ClampedNumber(file, section, "WIDTH", kPickerSizeLimit);
  picker.height = ClampedNumber(file, section, "HEIGHT", kPickerSizeLimit);
  int buttonsLeft = kUnitButtonCount;
  for (const int semester : {1, 2}) {
    const int units = ClampedNumber(file, section, "SEMESTER" + std::to_string(semester), buttonsLeft);
    picker.units[semester - 1] = units;
    buttonsLeft -= units;
    for (int unit = 1; unit <= units; ++unit) {
      picker.captions[semester - 1][unit - 1] = file.Read(section, ChapterKey(semester, unit));
    }
  }
  return picker;
}

std::optional<int> ArContent::Marker(int grade, int semester, int unit) const {
  if (!IsValidGrade(grade)) return std::nullopt;
  const std::string value = profile::ReadProfileString(DescriptionPath(), GradeSection(grade), MarkerKey(semester, unit));
  if (value.empty()) return std::nullopt;
  return profile::ReadProfileNumber(value);
}

}  // namespace orvilo::ar
