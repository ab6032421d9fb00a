// The AR settings: which grade buttons are shown ("GRADE") and the caption
// format of a chosen unit ("ARINFO").
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvilo::core {

// The slot of grade `grade` (1..6) on the AR bar, or nothing when its button
// is hidden. An empty value shows every grade in slot grade − 1; otherwise a
// grade is shown when its digit occurs in the value, packed from the left in
// grade order ("356": grades 3, 5, 6 in slots 0, 1, 2).
std::optional<int> GradeSlot(std::string_view gradeValue, int grade);

// The AR caption: each "%d" or "%i" of `format` (flags and a width of up to
// two digits allowed, as in "%02d") takes the next of grade, semester and
// unit; "%%" is a percent sign. Any other "%" sequence, and any conversion
// beyond the third, is copied as it stands: the format comes from a file an
// administrator edits and must never be able to read past the three values.
std::string FormatArCaption(std::string_view format, int grade, int semester, int unit);

}  // namespace orvilo::core
