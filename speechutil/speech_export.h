// Writing a job's speech to an audio file in one of the export formats.
//
// The file is written under a temporary name in the chosen folder and
// renamed to the chosen name only once it is complete, so a cancelled or
// failed export (engine refused, read-only folder, full disk) leaves no
// half-written file behind and an older file of that name untouched.
//
// Threads: runs on the caller's thread; `cancel` and `progress` let another
// thread watch and end it.
#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "speechutil/export_formats.h"
#include "speechutil/speech_job.h"

namespace orvilo::speechutil {

enum class ExportResult {
  Done,            // the file is in place
  EngineFailed,    // no synthesis handle: nothing written
  CannotCreate,    // the folder cannot take a file
  WriteFailed,     // the disk refused the data (full, quota): nothing left behind
  Cancelled,       // `cancel` was set: nothing left behind
  TooLong,         // the speech outgrew what the file's header can count: nothing left behind
};

// WAVE and AU headers count the data in 32 bits, and the engine's header
// calls take it as an int.
inline constexpr std::size_t kHeaderDataLimit = 0x7FFFFFFF - 128;

struct ExportRequest {
  SpeechJob job;  // post is not used; outputRate is the format's rate
  Container container = Container::Wave;
  ExportEncoding encoding = ExportEncoding::Linear16;
  const std::atomic<bool>* cancel = nullptr;
  // Share of the text spoken so far, 0..1, from the synthesising thread.
  std::function<void(double)> progress;
  // Most bytes of audio a file with a header may hold.
  std::size_t headerDataLimit = kHeaderDataLimit;
};

ExportResult ExportSpeech(const ExportRequest& request, const std::string& path, const SpeechReports& reports);

}  // namespace orvilo::speechutil
