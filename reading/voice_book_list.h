// The voice-book list: learning files the teacher collects, orders, checks,
// renames and removes, and that reading in the list view plays one after the
// other. Toolkit-free; CVyrSkinList draws it and turns the mouse into calls.
//
// The list is kept between runs in section "VOICEBOOK" of the settings file
// as VoiceBook001, VoiceBook002, … (full paths) followed by "END"; checked
// states and the selection are not kept.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/profile/profile_file.h"

namespace orvilo::reading {

inline constexpr const char* kVoiceBookSection = "VOICEBOOK";

struct VoiceBookItem {
  bool checked = false;
  std::string name;  // the file name without folder and extension, or "Unknown"
  std::string path;  // full path of the learning file
  bool operator==(const VoiceBookItem&) const = default;
};

// The name a learning file is listed under: the part after the last '/',
// cut before its last '.' when that is not the first character; "Unknown"
// when there is no such '.' ("lesson.1.qel" → "lesson.1", "notes" and
// ".qel" → "Unknown").
std::string VoiceBookName(const std::string& path);

class VoiceBookList {
 public:
  const std::vector<VoiceBookItem>& Items() const { return items_; }
  int Count() const { return static_cast<int>(items_.size()); }
  int Selected() const { return selected_; }
  // -1 (or any row outside the list) selects nothing.
  void Select(int row) { selected_ = IsRow(row) ? row : -1; }

  // Appends an unchecked item for an existing file; false (nothing added)
  // when there is no such file. The same path may be listed twice.
  bool Add(const std::string& path);
  void ToggleChecked(int row);
  // Removes every checked item, or when none is checked the selected one;
  // nothing is selected afterwards. The files stay on disk.
  void RemoveCheckedOrSelected();
  // Moves the item at `from` to row `to` (clamped into the list), the items
  // between shifting by one; the moved item is selected. False when `from`
  // is not a row or nothing moves.
  bool Move(int from, int to);
  // Gives the selected item a new name and moves its file to
  // "<folder>/<name>.qel"; the path follows only when the move succeeds, the
  // name changes either way. False when nothing is selected or the name is
  // empty or holds a '/'.
  bool RenameSelected(const std::string& newName);

  // Before reading in the list view: the first checked item at or after the
  // selected row, else the first checked from the top; it becomes selected.
  std::optional<int> ChooseBookToRead();
  // After the last piece of a book: the first checked item after the
  // selected row, else with `repeat` the first checked from the top; it
  // becomes selected. Empty: reading ends.
  std::optional<int> NextBookToRead(bool repeat);
  // The remote's next (direction > 0) or previous book from `row`: the
  // nearest checked item after or before it, or, while nothing is checked,
  // the nearest listed one. From no row (-1) either direction takes the
  // first. Stops at either end (empty there); selects nothing.
  std::optional<int> StepFrom(int row, int direction) const;

  // Reads VoiceBook001… until an empty value or "END"; entries whose file
  // is gone are dropped (and so disappear at the next write).
  void ReadSection(const profile::ProfileFile& settings);
  // Writes every path in list order and "END" after them.
  void WriteSection(profile::ProfileFile& settings) const;

 private:
  bool IsRow(int row) const { return row >= 0 && row < Count(); }
  std::optional<int> FirstChecked(int from) const;

  std::vector<VoiceBookItem> items_;
  int selected_ = -1;
};

}  // namespace orvilo::reading
