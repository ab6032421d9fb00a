// Which recordings are being written, kept in the video folder so that the
// next start can find and repair what a killed program left unfinished.
//
// A recording may go anywhere the teacher saves it, so the video folder's
// own AVI files are not enough: the journal `.orvilo-recordings` in the video
// folder names every file while it is written (one absolute path a line).
// An entry is added before the graph runs and removed when the file is
// finished; a killed program leaves its entry behind. The journal is
// replaced whole (temporary file, then rename), never written in place.
#pragma once

#include <string>
#include <vector>

namespace orvilo::media {

inline constexpr const char* kRecordingJournalName = ".orvilo-recordings";

class RecordingJournal {
 public:
  explicit RecordingJournal(std::string videoFolder) : folder_(std::move(videoFolder)) {}

  std::vector<std::string> Entries() const;
  bool Add(const std::string& file);
  bool Remove(const std::string& file);

  // At start: every journal entry and every AVI file of the video folder
  // that a recording left unfinished is repaired (RepairAvi); the journal is
  // emptied. Returns the files repaired.
  std::vector<std::string> RepairUnfinished();

 private:
  bool Write(const std::vector<std::string>& entries) const;
  std::string folder_;
};

}  // namespace orvilo::media
