#include "platform/media/recording_journal.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/media/avi_repair.h"

namespace orvilo::media {
namespace {

namespace fs = std::filesystem;

std::string Absolute(const std::string& file) {
  std::error_code error;
  const fs::path path = fs::absolute(file, error);
  return error ? file : path.lexically_normal().string();
}

bool IsAviName(const fs::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return std::tolower(c); });
  return extension == ".avi";
}

}  // namespace

std::vector<std::string> RecordingJournal::Entries() const {
  std::vector<std::string> entries;
  std::ifstream in(fs::path(folder_) / kRecordingJournalName);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) entries.push_back(line);
  }
  return entries;
}

bool RecordingJournal::Write(const std::vector<std::string>& entries) const {
  const fs::path journal = fs::path(folder_) / kRecordingJournalName;
  std::error_code error;
  if (entries.empty()) {
    fs::remove(journal, error);
    return !error;
  }
  fs::create_directories(folder_, error);
  const fs::path temporary = journal.string() + ".new";
  {
    std::ofstream out(temporary, std::ios::trunc);
    for (const auto& entry : entries) out << entry << '\n';
    out.flush();
    if (!out) return false;
  }
  // On disk before it replaces the old journal.
  if (const int fd = ::open(temporary.c_str(), O_RDONLY | O_CLOEXEC); fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
  fs::rename(temporary, journal, error);
  return !error;
}

bool RecordingJournal::Add(const std::string& file) {
  auto entries = Entries();
  const std::string path = Absolute(file);
  if (std::find(entries.begin(), entries.end(), path) == entries.end()) entries.push_back(path);
  return Write(entries);
}

bool RecordingJournal::Remove(const std::string& file) {
  auto entries = Entries();
  const std::string path = Absolute(file);
  entries.erase(std::remove(entries.begin(), entries.end(), path), entries.end());
  return Write(entries);
}

std::vector<std::string> RecordingJournal::RepairUnfinished() {
  std::vector<std::string> candidates = Entries();
  std::error_code error;
  for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
    if (it->is_regular_file(error) && IsAviName(it->path())) candidates.push_back(Absolute(it->path().string()));
  }
  std::sort(candidates.begin(), candidates.end());
  candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
  std::vector<std::string> repaired;
  for (const auto& file : candidates) {
    if (!AviNeedsRepair(file)) continue;
    const RepairResult result = RepairAvi(file);
    std::fprintf(stderr, "recording: %s %s\n", file.c_str(),
                 result == RepairResult::Repaired ? "was unfinished and is repaired" : "was unfinished and cannot be repaired");
    if (result == RepairResult::Repaired) repaired.push_back(file);
  }
  Write({});
  return repaired;
}

}  // namespace orvilo::media
