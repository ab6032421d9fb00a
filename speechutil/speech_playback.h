// Speaking a job on the audio output: a playback thread drives the engine
// block by block into the CWaveOutPlayer and posts to the window
//   (1124, 1) when it starts, (1124, 4) when the speech has been heard (or
//   was stopped), (1124, -1) when the engine failed;
//   (1126, first byte, last byte) as each word begins to sound.
// Status 4 or -1 is always the last message of a playback.
//
// Threads: Start and Stop belong to the window's thread. Stop silences the
// output at once and returns when the playback thread has ended.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

#include "engines/sonara/sonara_m.h"
#include "speechutil/speech_job.h"

namespace orvilo::speechutil {

class CWaveOutPlayer;

class SpeechPlayback {
 public:
  explicit SpeechPlayback(SpeechReports reports) : reports_(std::move(reports)) {}
  ~SpeechPlayback();  // Stop()
  SpeechPlayback(const SpeechPlayback&) = delete;
  SpeechPlayback& operator=(const SpeechPlayback&) = delete;

  // Opens the output at the job's rate and starts the thread; false (with
  // the output's message box shown) when there is no output, or the thread
  // could not start. Waits at most a second for the engine to be set up.
  bool Start(SpeechJob job);
  // Ends a running playback early; nothing when none runs.
  void Stop();
  bool Running() const { return running_; }
  // The last playback ended through Stop.
  bool StoppedByUser() const { return stopped_; }

 private:
  struct Run;
  static int Callback(void* userData, PcmChunk* chunk);
  void Play(std::shared_ptr<Run> run);
  void Join();

  SpeechReports reports_;
  std::thread thread_;
  std::mutex lock_;            // current_ against the playback thread
  std::shared_ptr<Run> current_;
  std::atomic<bool> running_{false};
  std::atomic<bool> stopped_{false};
};

}  // namespace orvilo::speechutil
