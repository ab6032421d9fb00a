// What the lesson tour reads back from the files a step leaves, to tell a
// real outcome from a command that merely ran: the still's picture size,
// how much of a speech recording is voiced, how long a recording lasts.
// Toolkit-free, so tests feed them small files directly.
#pragma once

#include <optional>
#include <string>

namespace orvilo::shell::tour {

struct PictureSize {
  int width = 0;
  int height = 0;
  bool operator==(const PictureSize&) const = default;
};

// The size of the picture in a bitmap file; empty when it is not one we read.
std::optional<PictureSize> BitmapFileSize(const std::string& path);

// Seconds of a 16-bit PCM WAVE file in which someone speaks: 20 ms windows
// whose RMS is above `threshold` (of 32767). 0 for silence, a missing or
// unreadable file, or another sample format.
double VoicedSeconds(const std::string& path, double threshold = 300.0);

struct RecordingLength {
  bool finished = false;  // headers and index written: the recording was ended properly
  double seconds = 0.0;   // frames × frame duration from the main header
};

// The length of an AVI recording; empty when the file is not an AVI.
std::optional<RecordingLength> AviRecordingLength(const std::string& path);

}  // namespace orvilo::shell::tour
