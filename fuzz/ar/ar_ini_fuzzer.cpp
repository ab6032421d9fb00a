// libFuzzer target: AR.ini of any content, read as the AR view reads it
// (pictures, picker sizes, unit counts and captions, markers of every grade).
// Nothing may crash, and what the picker gets stays within its limits.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "ar/ar_content.h"

using namespace orvilo::ar;

namespace {

// One program folder for the whole run, removed at exit; each input
// replaces its AR.ini.
struct ProgramFolder {
  ProgramFolder()
      : path((std::filesystem::temp_directory_path() / ("orvilo-ar-fuzz-" + std::to_string(getpid()))).string()) {
    std::filesystem::create_directories(path + "/AR/1/1/1");
    std::ofstream(path + "/AR/1/1/1/ARViewer.exe") << "viewer";
    std::ofstream(path + "/AR/grade1.png") << "picture";
  }
  ~ProgramFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  const std::string path;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The file is small; larger inputs only slow the search down. Every call
  // reads the file afresh, so the markers of one grade (picked by the size)
  // stand for all: the same parse with other names.
  if (size > (16 << 10)) return 0;
  static const ProgramFolder folder;
  const ArContent content(folder.path);
  std::ofstream(content.DescriptionPath(), std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  for (int grade = 0; grade <= kGradeCount + 1; ++grade) {
    (void)content.PicturePath(grade);
    (void)content.GradeHasContent(grade);
    const GradePicker picker = content.Picker(grade);
    if (picker.width < 0 || picker.width > kPickerSizeLimit || picker.height < 0 || picker.height > kPickerSizeLimit ||
        picker.units[0] < 0 || picker.units[1] < 0 || picker.units[0] + picker.units[1] > kUnitButtonCount) {
      abort();
    }
  }
  const int grade = 1 + static_cast<int>(size % kGradeCount);
  for (const int semester : {1, 2}) {
    for (int unit = 1; unit <= kUnitButtonCount; ++unit) (void)content.Marker(grade, semester, unit);
  }
  return 0;
}
