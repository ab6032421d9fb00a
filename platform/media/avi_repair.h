// Reading and repairing the AVI files a recording writes.
//
// avimux writes its headers when the first buffers arrive and rewrites them,
// with the frame counts and the index, at the end of the stream. A recording
// cut off before that (program killed, power lost, disk full, write refused)
// leaves a file whose chunks are all there but whose counts are zero and
// whose index is missing: most players refuse it or show nothing.
//
// RepairAvi rebuilds what the end of the stream would have written from the
// chunks themselves: it walks the 'movi' list up to the last complete chunk,
// cuts the cut-off tail, appends an 'idx1' index, and patches the RIFF and
// 'movi' sizes, the main header's frame count and every stream's length.
// Only the first RIFF of the file is repaired (avimux starts a second one
// after about 1 GB); a later one is cut off.
//
// The file never grows beyond `sizeLimit` when one is given (a full disk or
// a size-capped folder): chunks at the end are dropped until the index fits
// in the room they leave, which costs a frame or two, never the file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvilo::media {

struct AviStreamInfo {
  std::string type;     // "vids", "auds"
  std::string handler;  // the video's FourCC ("MJPG", "YUY2"; may be empty for raw)
  std::uint32_t length = 0;      // strh dwLength as written
  std::uint32_t chunks = 0;      // data chunks of the stream found in 'movi'
  std::uint64_t bytes = 0;       // their payload bytes
};

struct AviFileInfo {
  bool valid = false;       // a RIFF 'AVI ' with 'hdrl' and 'movi'
  bool finished = false;    // sizes consistent with the file and an index present
  bool hasIndex = false;    // 'idx1' after 'movi', or an OpenDML 'indx'
  std::uint32_t totalFrames = 0;  // avih dwTotalFrames
  std::uint32_t microSecondsPerFrame = 0;
  int width = 0;
  int height = 0;
  std::vector<AviStreamInfo> streams;
};

// Reads the headers and walks the chunks; never writes.
AviFileInfo InspectAvi(const std::string& path);

// Whether the file is an AVI that a recording left unfinished.
bool AviNeedsRepair(const std::string& path);

enum class RepairResult { Repaired, AlreadyFine, NotAvi, Failed };

RepairResult RepairAvi(const std::string& path, std::optional<std::uint64_t> sizeLimit = std::nullopt);

}  // namespace orvilo::media
