#include "reading/voice_book_list.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace orvilo::reading {
namespace {

bool IsFile(const std::string& path) {
  struct stat info {};
  return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string VoiceBookKey(int number) {
  char key[32];
  std::snprintf(key, sizeof key, "VoiceBook%03d", number);
  return key;
}

}  // namespace

std::string VoiceBookName(const std::string& path) {
  const std::string file = path.substr(path.find_last_of('/') + 1);
  const std::size_t dot = file.find_last_of('.');
  if (dot == std::string::npos || dot == 0) return "Unknown";
  return file.substr(0, dot);
}

bool VoiceBookList::Add(const std::string& path) {
  if (!IsFile(path)) return false;
  items_.push_back({false, VoiceBookName(path), path});
  return true;
}

void VoiceBookList::ToggleChecked(int row) {
  if (IsRow(row)) items_[row].checked = !items_[row].checked;
}

void VoiceBookList::RemoveCheckedOrSelected() {
  const bool anyChecked = std::any_of(items_.begin(), items_.end(), [](const VoiceBookItem& item) { return item.checked; });
  if (anyChecked) {
    std::erase_if(items_, [](const VoiceBookItem& item) { return item.checked; });
  } else if (IsRow(selected_)) {
    items_.erase(items_.begin() + selected_);
  }
  selected_ = -1;
}

bool VoiceBookList::Move(int from, int to) {
  if (!IsRow(from)) return false;
  to = std::clamp(to, 0, Count() - 1);
  if (to == from) return false;
  const auto first = items_.begin();
  if (from < to) {
    std::rotate(first + from, first + from + 1, first + to + 1);
  } else {
    std::rotate(first + to, first + from, first + from + 1);
  }
  selected_ = to;
  return true;
}

bool VoiceBookList::RenameSelected(const std::string& newName) {
  if (!IsRow(selected_) || newName.empty() || newName.find('/') != std::string::npos) return false;
  VoiceBookItem& item = items_[selected_];
  item.name = newName;
  const std::size_t slash = item.path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? std::string() : item.path.substr(0, slash + 1);
  const std::string moved = folder + newName + ".qel";
  // Never over another learning file: the teacher would lose it.
  if (moved != item.path && !IsFile(moved) && std::rename(item.path.c_str(), moved.c_str()) == 0) item.path = moved;
  return true;
}

std::optional<int> VoiceBookList::FirstChecked(int from) const {
  for (int row = std::max(from, 0); row < Count(); ++row) {
    if (items_[row].checked) return row;
  }
  return std::nullopt;
}

std::optional<int> VoiceBookList::ChooseBookToRead() {
  std::optional<int> found = FirstChecked(selected_);
  if (!found) found = FirstChecked(0);
  if (found) selected_ = *found;
  return found;
}

std::optional<int> VoiceBookList::NextBookToRead(bool repeat) {
  std::optional<int> found = FirstChecked(selected_ + 1);
  if (!found && repeat) found = FirstChecked(0);
  if (found) selected_ = *found;
  return found;
}

std::optional<int> VoiceBookList::StepFrom(int row, int direction) const {
  if (direction == 0 || Count() == 0) return std::nullopt;
  // Checked books are the sequence the teacher made for the lesson; without
  // one the whole list is.
  const bool anyChecked = std::any_of(items_.begin(), items_.end(), [](const VoiceBookItem& item) { return item.checked; });
  const auto candidate = [&](int at) { return !anyChecked || items_[at].checked; };
  if (!IsRow(row)) return anyChecked ? FirstChecked(0) : std::optional<int>(0);
  const int step = direction > 0 ? 1 : -1;
  for (int at = row + step; IsRow(at); at += step) {
    if (candidate(at)) return at;
  }
  return std::nullopt;
}

void VoiceBookList::ReadSection(const profile::ProfileFile& settings) {
  for (int number = 1;; ++number) {
    const std::string path = settings.Read(kVoiceBookSection, VoiceBookKey(number));
    if (path.empty() || path == "END") break;
    Add(path);
  }
}

void VoiceBookList::WriteSection(profile::ProfileFile& settings) const {
  int number = 1;
  for (const VoiceBookItem& item : items_) settings.Write(kVoiceBookSection, VoiceBookKey(number++), item.path);
  settings.Write(kVoiceBookSection, VoiceBookKey(number), "END");
}

}  // namespace orvilo::reading
