// MoviePlayer: one movie file in a GStreamer pipeline — playbin with our own
// video sink (an appsink delivering BGRx frames in sync with the clock) and
// the audio output of ORVILO_AUDIO_OUT (the desktop's default sink; a
// fakesink for `null` and `wav:`, so tests and headless runs need no sound
// card).
//
// Threads: the owner calls every member on one thread (the view's). Two
// callbacks run on GStreamer's streaming threads and must only post
// something to the owner's thread:
//  - frameReady: a new frame is in the "latest frame" slot. It is called once
//    until the owner calls FrameTaken, however many frames arrive in between:
//    the newest frame wins and frames are never queued;
//  - busNotify: the pipeline reported an end of stream or an error; the owner
//    collects them with TakeEvents on its own thread.
// Destroying the player stops the pipeline and waits for its threads, so no
// callback runs afterwards.
#pragma once

#include <gst/gst.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace orvilo::movie {

// A frame held from the pipeline and mapped for reading: the bytes are the
// pipeline's own, no copy. Empty when there is no frame.
class HeldFrame {
 public:
  HeldFrame() = default;
  explicit HeldFrame(GstSample* sample);  // takes a reference of its own
  HeldFrame(HeldFrame&& other) noexcept;
  HeldFrame& operator=(HeldFrame&& other) noexcept;
  HeldFrame(const HeldFrame&) = delete;
  HeldFrame& operator=(const HeldFrame&) = delete;
  ~HeldFrame();

  bool IsEmpty() const { return data_ == nullptr; }
  int width() const { return width_; }
  int height() const { return height_; }
  int stride() const { return stride_; }
  // Top row first, 4 bytes a pixel: blue, green, red, unused.
  const std::uint8_t* data() const { return data_; }

 private:
  void Release();
  GstSample* sample_ = nullptr;
  GstMapInfo map_{};
  const std::uint8_t* data_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
};

class MoviePlayer {
 public:
  struct Callbacks {
    std::function<void()> frameReady;  // streaming thread
    std::function<void()> busNotify;   // any thread
  };
  struct Event {
    enum class Kind { EndOfStream, Error } kind;
    std::string text;  // the error, with the pipeline's detail
  };

  // Builds the pipeline for `path` and waits until its first frame is ready
  // (paused). Null, with the reason in `error`, when the file is missing, is
  // not a movie, has neither picture nor sound, or does not start within
  // `timeoutMs`.
  static std::unique_ptr<MoviePlayer> Open(const std::string& path, Callbacks callbacks, std::string* error,
                                           int timeoutMs = 10000);
  ~MoviePlayer();
  MoviePlayer(const MoviePlayer&) = delete;
  MoviePlayer& operator=(const MoviePlayer&) = delete;

  bool HasVideo() const { return hasVideo_; }

  bool Play();
  bool Pause();
  // Paused at the start.
  bool Rewind();
  // After an error: everything released but the file; Play starts again.
  void Halt();

  // Nanoseconds; -1 when not known (yet).
  std::int64_t Position() const;
  std::int64_t Duration() const;

  // Absolute seek, accurate to the frame, at the current rate.
  bool Seek(std::int64_t position);
  // A new rate from the current position.
  bool SetRate(double rate);
  double Rate() const { return rate_; }

  // Ends of stream and errors reported since the last call, oldest first.
  std::vector<Event> TakeEvents();

  // The newest frame, held (empty before the first one).
  HeldFrame LatestFrame() const;
  // The pipeline itself, for diagnostics and tests (owned by the player).
  GstElement* Pipeline() const { return pipeline_; }

  // The owner has taken note of the last frameReady; the next frame calls it again.
  void FrameTaken() { framePosted_.store(false); }

 private:
  MoviePlayer() = default;
  static GstFlowReturn OnNewSample(GstElement* sink, gpointer self);
  static GstFlowReturn OnNewPreroll(GstElement* sink, gpointer self);
  static GstBusSyncReply OnBusMessage(GstBus* bus, GstMessage* message, gpointer self);
  void StoreFrame(GstSample* sample);
  bool SeekTo(std::int64_t position, double rate);

  GstElement* pipeline_ = nullptr;
  GstElement* videoSink_ = nullptr;  // owned by the pipeline
  Callbacks callbacks_;
  bool hasVideo_ = false;
  double rate_ = 1.0;

  std::mutex eventLock_;
  std::vector<Event> events_;  // under eventLock_

  mutable std::mutex frameLock_;
  GstSample* latest_ = nullptr;  // under frameLock_
  std::atomic<bool> framePosted_{false};
};

}  // namespace orvilo::movie
