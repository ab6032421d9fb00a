// The capture graph of the live camera: a capture source with the format
// asked of the device, a one-frame leaky queue, the decoder the camera's
// group needs, and an appsink whose callback hands every decoded frame to
// the owner.
//
// Threads: building, running, pausing, stopping and DrainBus belong to the
// owner's thread. The frame callback runs on a streaming thread; the bus
// notification may run on any thread and must only post to the owner, which
// then calls DrainBus on its own thread (what it drains is stored before the
// notification, so a drain after it always finds it). Errors are never handled on a
// streaming thread. Destroying the graph stops it first, so no callback runs
// after the destructor.
#pragma once

#include <cstddef>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/media/device_enumerator.h"
#include "platform/media/time_lapse.h"

typedef struct _GstElement GstElement;

namespace orvilo::media {

enum class CaptureSubtype { Mjpg, Yuy2 };

// What the source is asked for.
struct CaptureFormat {
  int width = 1280;
  int height = 1024;
  int framesPerSecond = 15;
  CaptureSubtype subtype = CaptureSubtype::Mjpg;
  // False: only the subtype is asked for, and the device keeps its own size
  // and rate (after it refused the asked ones).
  bool sizeFixed = true;
};

// The preview branch between the source and the appsink: none (YUY2 goes to
// the owner as it comes), GStreamer's jpegdec, or our vxmmjpegdec.
enum class PreviewDecoder { None, Platform, Vxm };

enum class FramePixels { Bgrx, Yuy2 };

// One decoded frame, valid during the callback only; rows top-down.
struct VideoFrame {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  int width = 0;
  int height = 0;
  std::size_t stride = 0;
  FramePixels pixels = FramePixels::Bgrx;
  std::int64_t arrivalNs = 0;  // steady clock, when the appsink had it
};

// The gst-launch description of the preview graph (without the source's own
// options); graph labels are the element names.
std::string PreviewGraphDescription(const CaptureDevice& video, const CaptureFormat& format, PreviewDecoder decoder);
std::string PreviewGraphDescription(const std::string& sourceDescription, const CaptureFormat& format,
                                    PreviewDecoder decoder);

// The gst-launch description of the audio source for a microphone of the
// device lists (its element named "audio-source"): the demo microphone is a
// quiet, live pink noise; other devices open through the sound server.
std::string AudioSourceDescription(const CaptureDevice& audio);

// The gst-launch description of the recording graph: the camera's own
// stream split into the AVI file (unchanged, MJPEG or YUY2) and the preview
// branch of PreviewGraphDescription; the microphone (when there is one) as
// 16-bit PCM into the same file. Both file branches pass a closed valve
// ("video-valve", "audio-valve") so that nothing is written until the graph
// runs. The writer ("file-writer") gets its location afterwards.
std::string RecordingGraphDescription(const std::string& sourceDescription, const std::string& audioDescription,
                                      const CaptureFormat& format, PreviewDecoder decoder);

class CaptureGraph {
 public:
  using FrameCallback = std::function<void(const VideoFrame&)>;
  using BusNotify = std::function<void()>;

  CaptureGraph(FrameCallback onFrame, BusNotify onBusMessage);
  ~CaptureGraph();
  CaptureGraph(const CaptureGraph&) = delete;
  CaptureGraph& operator=(const CaptureGraph&) = delete;

  // Builds the preview graph (not yet running). False, with the reason in
  // `error`, when GStreamer, an element or the device is missing.
  bool BuildPreview(const CaptureDevice& video, const CaptureFormat& format, PreviewDecoder decoder,
                    std::string* error);
  // The same graph behind any source element (a gst-launch description
  // whose element is named "source"), for benchmarks that feed frames.
  bool BuildPreviewFrom(const std::string& sourceDescription, const CaptureFormat& format, PreviewDecoder decoder,
                        std::string* error);
  // Builds the recording graph into `fileName` (not yet running); `audio`
  // may be null (video only). The file is created when the graph runs.
  bool BuildRecording(const CaptureDevice& video, const CaptureDevice* audio, const CaptureFormat& format,
                      PreviewDecoder decoder, const std::string& fileName, std::string* error);
  bool BuildRecordingFrom(const std::string& sourceDescription, const std::string& audioDescription,
                          const CaptureFormat& format, PreviewDecoder decoder, const std::string& fileName,
                          std::string* error);
  // The recording graph without a microphone, keeping one frame every
  // `seconds` as consecutive frames of a 30 fps movie (time-lapse). Started
  // and finished like any recording.
  bool BuildTimeLapse(const CaptureDevice& video, const CaptureFormat& format, PreviewDecoder decoder,
                      const std::string& fileName, int seconds, std::string* error);
  bool BuildTimeLapseFrom(const std::string& sourceDescription, const CaptureFormat& format, PreviewDecoder decoder,
                          const std::string& fileName, int seconds, std::string* error);
  // Frames in the time-lapse file so far; -1 when the graph is no time-lapse.
  int TimeLapseFrames() const { return timeLapse_ ? timeLapse_->Frames() : -1; }
  // Runs the recording graph and, once it runs, opens the valves: capture
  // is held back while the graph starts. False (graph stopped) when it does
  // not reach PLAYING within `timeoutMs`.
  bool StartRecording(int timeoutMs = 5000);
  // Ends the recording: end of stream from every source, then waits up to
  // `timeoutMs` for it to reach the file writer (the multiplexer writes its
  // index and headers on the way), then stops the graph. True when the file
  // was finalised that way; false (file left unfinished, graph stopped)
  // when the end never arrived — a writer that failed, a stuck device.
  bool FinishRecording(int timeoutMs);
  bool IsRecordingGraph() const { return recording_; }

  // An element of the graph by name, with a reference the caller drops
  // (gst_object_unref); null when there is none.
  GstElement* Element(const char* name) const;
  bool Exists() const { return pipeline_ != nullptr; }

  // Whether the device can capture `width` × `height` in any format; asks
  // the device (the graph goes to READY for it). False without a graph.
  bool DeviceOffers(int width, int height);

  bool Run();
  bool Pause();
  void Stop();   // to NULL: the device is released, the graph kept
  void Free();   // stops and drops the graph

  // Owner's thread: the bus's errors (and end of stream) since the last
  // call, each as one line "element: message (detail)".
  std::vector<std::string> DrainBus();
  // Whether an error DrainBus took was the device refusing the asked format.
  bool FormatRefused() const { return formatRefused_; }

 private:
  friend struct GraphCallbacks;
  FrameCallback onFrame_;
  BusNotify onBusMessage_;
  GstElement* pipeline_ = nullptr;
  GstElement* appsink_ = nullptr;
  // What the bus reported, kept by the posting thread until DrainBus.
  std::mutex busLock_;
  std::vector<std::string> busLines_;
  bool busRefused_ = false;
  bool formatRefused_ = false;
  bool recording_ = false;
  // The graph's own end of stream, told by the posting thread.
  std::condition_variable endCondition_;
  bool ended_ = false;
  // The frame picker of a time-lapse graph; dropped after the graph.
  std::unique_ptr<TimeLapseClock> timeLapse_;

  bool Launch(const std::string& description, std::string* error);
};

}  // namespace orvilo::media
