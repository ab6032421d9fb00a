// The AR content installed in the program folder, free of the toolkit:
//
//   AR/AR.ini                                   the description file
//   AR/<grade>/<semester>/<unit>/ARViewer.exe   one viewer program per unit
//   AR/<picture>                                pictures named in AR.ini
//
// Grades, semesters and units are plain decimal numbers in folder names.
// Every value of AR.ini is optional; each call reads the file afresh (it is
// small, and an administrator may replace content while the program runs).
// A missing file or key reads as no picture, picker size 0 × 0, no units.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace orvilo::ar {

inline constexpr int kGradeCount = 6;
// The picker has twelve unit buttons for the two semesters together.
inline constexpr int kUnitButtonCount = 12;
// Larger picker sizes are not sizes of a dialog on any screen.
inline constexpr int kPickerSizeLimit = 4096;

// A unit of the chosen grade's textbook.
struct Chapter {
  int semester = 1;
  int unit = 1;
  bool operator==(const Chapter&) const = default;
};

// What the chapter picker shows for one grade (section "GRADE%02d").
struct GradePicker {
  int width = 0;   // "WIDTH", 0..kPickerSizeLimit
  int height = 0;  // "HEIGHT", 0..kPickerSizeLimit
  // "SEMESTER1", "SEMESTER2": units of each semester. Negative counts hide
  // the semester; together they never exceed the twelve buttons (semester 1
  // first).
  std::array<int, 2> units{0, 0};
  // "CHAPTER%d%d": the caption of each unit, [semester − 1][unit − 1].
  std::array<std::array<std::string, kUnitButtonCount>, 2> captions;
};

class ArContent {
 public:
  // `programFolder` without a trailing "/".
  explicit ArContent(std::string programFolder);

  const std::string& programFolder() const { return programFolder_; }
  std::string ArFolder() const;         // <program>/AR
  std::string DescriptionPath() const;  // <program>/AR/AR.ini
  // <program>/AR/<grade>/<semester>/<unit>/ARViewer.exe
  std::string ViewerPath(int grade, int semester, int unit) const;

  // The picture of grade 1..6 ("IMAGE" of "GRADE%02d"), or of the view
  // before a grade is chosen for grade 0 ("IMAGE" of "AR"): its full path,
  // or nothing when the value is empty or names no file.
  std::optional<std::string> PicturePath(int grade) const;

  // Whether grade 1..6 has a viewer: in a unit folder of semester 1 or 2, or
  // directly in the semester folder or the grade folder (the entries "."
  // and ".." of a semester folder count like its unit folders).
  bool GradeHasContent(int grade) const;
  // Whether the unit's viewer program exists.
  bool UnitHasContent(int grade, int semester, int unit) const;

  GradePicker Picker(int grade) const;

  // "MARKER%d%d" of the unit: its number (as written, even outside 0..6),
  // or nothing when the key is missing or empty.
  std::optional<int> Marker(int grade, int semester, int unit) const;

 private:
  std::string programFolder_;
};

// Section and key names of AR.ini.
std::string GradeSection(int grade);                 // "GRADE03"
std::string ChapterKey(int semester, int unit);      // "CHAPTER210"
std::string MarkerKey(int semester, int unit);       // "MARKER12"

}  // namespace orvilo::ar
