// The background music under the reading: a GStreamer player of one audio
// file (any format the installed plug-ins decode), audio only, so no video
// window ever opens. The music goes to the program's audio output: the
// desktop's sound with ORVILO_AUDIO_OUT=alsa (the default), a silent sink
// that keeps time with null and wav:<file>.
//
// Threads: the player is used from one thread. The end of the file is
// noticed on GStreamer's thread and reported through `onEvent`, which must
// only queue (the reading panel posts message 1432 to itself); TakeEnded then
// tells, on the player's thread, whether the file ended since last asked.
#pragma once

#include <atomic>
#include <functional>

#include "reading/reading_ports.h"

typedef struct _GstElement GstElement;

namespace orvilo::reading {

class GstMusicPlayer : public MusicPlayer {
 public:
  explicit GstMusicPlayer(std::function<void()> onEvent) : onEvent_(std::move(onEvent)) {}
  ~GstMusicPlayer() override;

  // Builds the player and waits (at most 5 s) until the file is ready to
  // play: false for a missing file, one that does not decode or has no sound.
  bool Load(const std::string& path) override;
  void Run() override;
  void Pause() override;
  void RewindAndStop() override;
  void Release() override;

  bool TakeEnded() { return ended_.exchange(false); }
  bool Playing() const;

 private:
  void OnStreamEnded();

  std::function<void()> onEvent_;
  GstElement* pipeline_ = nullptr;
  std::atomic<bool> ended_{false};
};

}  // namespace orvilo::reading
