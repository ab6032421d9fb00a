#include "platform/media/capture_graph.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include <chrono>
#include <cstdio>
#include <cstring>

#include "platform/media/demo_camera_src.h"
#include "platform/media/gstreamer_runtime.h"

namespace orvilo::media {
namespace {

// "demo" is the demo camera; "demo?fail-after=N&max-width=W" one that fails
// after N frames or offers no width above W (tests of a lost camera and of a
// refused format). Everything else is a V4L2 device node.
std::string SourceDescription(const CaptureDevice& video) {
  const std::string& path = video.path;
  if (path.rfind(kDemoCameraPath, 0) == 0) {
    std::string description = std::string(kDemoCameraElement) + " name=source";
    for (const char* option : {"fail-after", "max-width"}) {
      const std::string key = std::string(option) + "=";
      const auto at = path.find(key, path.find('?'));
      if (path.find('?') != std::string::npos && at != std::string::npos) {
        description += " " + key + std::to_string(std::strtoul(path.c_str() + at + key.size(), nullptr, 10));
      }
    }
    return description;
  }
  gchar* quoted = g_strescape(path.c_str(), nullptr);
  std::string description = std::string("v4l2src name=source device=\"") + quoted + "\"";
  g_free(quoted);
  return description;
}

}  // namespace

std::string PreviewGraphDescription(const CaptureDevice& video, const CaptureFormat& format, PreviewDecoder decoder) {
  return PreviewGraphDescription(SourceDescription(video), format, decoder);
}

std::string PreviewGraphDescription(const std::string& sourceDescription, const CaptureFormat& format,
                                    PreviewDecoder decoder) {
  const std::string size = !format.sizeFixed ? std::string()
                                             : ",width=" + std::to_string(format.width) +
                                                   ",height=" + std::to_string(format.height) + ",framerate=" +
                                                   std::to_string(format.framesPerSecond) + "/1";
  const bool yuy2 = format.subtype == CaptureSubtype::Yuy2;
  std::string description = sourceDescription;
  description += " ! capsfilter name=capture-format caps=\"" +
                 std::string(yuy2 ? "video/x-raw,format=YUY2" : "image/jpeg") + size + "\"";
  // One frame of queue, never more: the newest frame wins.
  description += " ! queue name=preview-queue leaky=downstream max-size-buffers=1 max-size-bytes=0 max-size-time=0";
  if (!yuy2 && decoder == PreviewDecoder::Vxm) description += " ! vxmmjpegdec name=preview-decoder";
  // A corrupt frame is skipped, never the end of the capture.
  if (!yuy2 && decoder == PreviewDecoder::Platform) {
    description += " ! jpegdec name=preview-decoder max-errors=-1 ! videoconvert";
  }
  description += " ! appsink name=preview-grab caps=\"video/x-raw,format=" + std::string(yuy2 ? "YUY2" : "BGRx") +
                 "\" max-buffers=1 drop=true sync=false emit-signals=false";
  return description;
}

std::string AudioSourceDescription(const CaptureDevice& audio) {
  if (audio.path == kDemoCameraPath) {
    return "audiotestsrc name=audio-source is-live=true wave=pink-noise volume=0.02";
  }
  if (audio.path.empty()) return "autoaudiosrc name=audio-source";
  // ALSA names ("hw:1,0", "plughw:…") open the card directly; everything
  // else is a node of the sound server (PulseAudio, or PipeWire through its
  // PulseAudio service).
  const bool alsa = audio.path.rfind("hw:", 0) == 0 || audio.path.rfind("plughw:", 0) == 0 ||
                    audio.path.rfind("default", 0) == 0;
  gchar* quoted = g_strescape(audio.path.c_str(), nullptr);
  std::string description = std::string(alsa ? "alsasrc" : "pulsesrc") + " name=audio-source device=\"" + quoted + "\"";
  g_free(quoted);
  return description;
}

std::string RecordingGraphDescription(const std::string& sourceDescription, const std::string& audioDescription,
                                      const CaptureFormat& format, PreviewDecoder decoder) {
  // The preview description ends in "…capsfilter … ! queue name=preview-queue …";
  // the file branch is split off right after the capsfilter.
  const std::string preview = PreviewGraphDescription(sourceDescription, format, decoder);
  const std::string queue = " ! queue name=preview-queue";
  const auto split = preview.find(queue);
  // The writer gets nothing until the valves open, so it must not hold the
  // graph's start waiting for a first buffer (async=false).
  // A slow disk may hold the file branch back for a while; the preview
  // never waits for it (its own queue drops).
  std::string description = preview.substr(0, split) + " ! tee name=record-split" +
                            " record-split. ! queue name=record-queue max-size-buffers=0 max-size-bytes=0"
                            " max-size-time=3000000000"
                            " ! valve name=video-valve drop=true drop-mode=forward-sticky-events"
                            " ! avimux name=multiplexer ! filesink name=file-writer sync=false async=false"
                            " record-split. " +
                            preview.substr(split + 1);
  if (!audioDescription.empty()) {
    description += " " + audioDescription +
                   " ! audioconvert ! audioresample ! audio/x-raw,format=S16LE,rate=44100,channels=1"
                   " ! queue name=audio-queue max-size-buffers=0 max-size-bytes=0 max-size-time=3000000000"
                   " ! valve name=audio-valve drop=true drop-mode=forward-sticky-events ! multiplexer.";
  }
  return description;
}

struct GraphCallbacks {
  static GstFlowReturn NewSample(GstAppSink* sink, gpointer data) {
    auto* self = static_cast<CaptureGraph*>(data);
    GstSample* sample = gst_app_sink_pull_sample(sink);
    if (sample == nullptr) return GST_FLOW_OK;
    const auto arrival = std::chrono::steady_clock::now().time_since_epoch();
    GstVideoInfo info;
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    GstMapInfo map;
    if (buffer != nullptr && gst_video_info_from_caps(&info, gst_sample_get_caps(sample)) &&
        gst_buffer_map(buffer, &map, GST_MAP_READ)) {
      VideoFrame frame;
      frame.data = map.data;
      frame.size = map.size;
      frame.width = GST_VIDEO_INFO_WIDTH(&info);
      frame.height = GST_VIDEO_INFO_HEIGHT(&info);
      frame.stride = static_cast<std::size_t>(GST_VIDEO_INFO_PLANE_STRIDE(&info, 0));
      frame.pixels = GST_VIDEO_INFO_FORMAT(&info) == GST_VIDEO_FORMAT_YUY2 ? FramePixels::Yuy2 : FramePixels::Bgrx;
      frame.arrivalNs = std::chrono::duration_cast<std::chrono::nanoseconds>(arrival).count();
      // A frame shorter than its caps promise (a broken device) is skipped.
      if (frame.stride * static_cast<std::size_t>(frame.height) <= map.size && self->onFrame_) self->onFrame_(frame);
      gst_buffer_unmap(buffer, &map);
    }
    gst_sample_unref(sample);
    return GST_FLOW_OK;
  }

  // On whatever thread posts: errors and the end of the stream are kept as
  // lines, then the owner is told to drain them on its thread; everything
  // else is dropped.
  static GstBusSyncReply BusSync(GstBus*, GstMessage* message, gpointer data) {
    auto* self = static_cast<CaptureGraph*>(data);
    const char* from = GST_MESSAGE_SRC_NAME(message) ? GST_MESSAGE_SRC_NAME(message) : "graph";
    std::string line;
    bool refused = false;
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
      GError* error = nullptr;
      gchar* detail = nullptr;
      gst_message_parse_error(message, &error, &detail);
      // A source that cannot give the asked caps ends its stream with
      // "not-negotiated".
      refused = (error != nullptr && g_error_matches(error, GST_CORE_ERROR, GST_CORE_ERROR_NEGOTIATION)) ||
                (detail != nullptr && std::strstr(detail, "not-negotiated") != nullptr);
      line = std::string(from) + ": " + (error ? error->message : "error") + " (" + (detail ? detail : "") + ")";
      if (error) g_error_free(error);
      g_free(detail);
    } else if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS) {
      line = std::string(from) + ": the stream ended";
      if (GST_MESSAGE_SRC(message) == GST_OBJECT(self->pipeline_)) {
        std::lock_guard lock(self->busLock_);
        self->ended_ = true;
        self->endCondition_.notify_all();
      }
    } else {
      return GST_BUS_DROP;
    }
    {
      std::lock_guard lock(self->busLock_);
      self->busLines_.push_back(std::move(line));
      self->busRefused_ = self->busRefused_ || refused;
    }
    if (self->onBusMessage_) self->onBusMessage_();
    return GST_BUS_DROP;
  }
};

CaptureGraph::CaptureGraph(FrameCallback onFrame, BusNotify onBusMessage)
    : onFrame_(std::move(onFrame)), onBusMessage_(std::move(onBusMessage)) {}

CaptureGraph::~CaptureGraph() { Free(); }

bool CaptureGraph::BuildPreview(const CaptureDevice& video, const CaptureFormat& format, PreviewDecoder decoder,
                                std::string* error) {
  return BuildPreviewFrom(SourceDescription(video), format, decoder, error);
}

GstElement* CaptureGraph::Element(const char* name) const {
  return pipeline_ != nullptr ? gst_bin_get_by_name(GST_BIN(pipeline_), name) : nullptr;
}

bool CaptureGraph::BuildPreviewFrom(const std::string& sourceDescription, const CaptureFormat& format,
                                    PreviewDecoder decoder, std::string* error) {
  return Launch(PreviewGraphDescription(sourceDescription, format, decoder), error);
}

bool CaptureGraph::BuildRecording(const CaptureDevice& video, const CaptureDevice* audio, const CaptureFormat& format,
                                  PreviewDecoder decoder, const std::string& fileName, std::string* error) {
  return BuildRecordingFrom(SourceDescription(video), audio ? AudioSourceDescription(*audio) : std::string(), format,
                            decoder, fileName, error);
}

bool CaptureGraph::BuildRecordingFrom(const std::string& sourceDescription, const std::string& audioDescription,
                                      const CaptureFormat& format, PreviewDecoder decoder, const std::string& fileName,
                                      std::string* error) {
  if (fileName.empty()) {
    if (error) *error = "no file name";
    return false;
  }
  if (!Launch(RecordingGraphDescription(sourceDescription, audioDescription, format, decoder), error)) return false;
  GstElement* writer = Element("file-writer");
  g_object_set(writer, "location", fileName.c_str(), nullptr);
  gst_object_unref(writer);
  recording_ = true;
  return true;
}

bool CaptureGraph::BuildTimeLapse(const CaptureDevice& video, const CaptureFormat& format, PreviewDecoder decoder,
                                  const std::string& fileName, int seconds, std::string* error) {
  return BuildTimeLapseFrom(SourceDescription(video), format, decoder, fileName, seconds, error);
}

bool CaptureGraph::BuildTimeLapseFrom(const std::string& sourceDescription, const CaptureFormat& format,
                                      PreviewDecoder decoder, const std::string& fileName, int seconds,
                                      std::string* error) {
  if (!BuildRecordingFrom(sourceDescription, std::string(), format, decoder, fileName, error)) return false;
  timeLapse_ = std::make_unique<TimeLapseClock>(seconds);
  if (!AttachTimeLapse(pipeline_, *timeLapse_)) {
    if (error) *error = "the recording graph has no video valve";
    Free();
    return false;
  }
  return true;
}

bool CaptureGraph::Launch(const std::string& description, std::string* error) {
  Free();
  {
    std::lock_guard lock(busLock_);
    busLines_.clear();
    busRefused_ = false;
    ended_ = false;
  }
  formatRefused_ = false;
  if (!EnsureGstreamer()) {
    if (error) *error = "GStreamer is not available";
    return false;
  }
  GError* parseError = nullptr;
  GstElement* pipeline = gst_parse_launch_full(description.c_str(), nullptr, GST_PARSE_FLAG_FATAL_ERRORS, &parseError);
  if (pipeline == nullptr || parseError != nullptr) {
    if (error) *error = std::string("cannot build the capture graph: ") + (parseError ? parseError->message : "?");
    if (parseError) g_error_free(parseError);
    if (pipeline) gst_object_unref(pipeline);
    return false;
  }
  pipeline_ = pipeline;
  appsink_ = gst_bin_get_by_name(GST_BIN(pipeline_), "preview-grab");
  GstAppSinkCallbacks callbacks{};
  callbacks.new_sample = &GraphCallbacks::NewSample;
  gst_app_sink_set_callbacks(GST_APP_SINK(appsink_), &callbacks, this, nullptr);
  GstBus* bus = gst_element_get_bus(pipeline_);
  gst_bus_set_sync_handler(bus, &GraphCallbacks::BusSync, this, nullptr);
  gst_object_unref(bus);
  return true;
}

bool CaptureGraph::StartRecording(int timeoutMs) {
  if (pipeline_ == nullptr || !recording_) return false;
  if (gst_element_set_state(pipeline_, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE ||
      gst_element_get_state(pipeline_, nullptr, nullptr, static_cast<GstClockTime>(timeoutMs) * GST_MSECOND) !=
          GST_STATE_CHANGE_SUCCESS) {
    Stop();
    return false;
  }
  // Running: from here every buffer goes into the file.
  for (const char* name : {"video-valve", "audio-valve"}) {
    if (GstElement* valve = Element(name)) {
      g_object_set(valve, "drop", FALSE, nullptr);
      gst_object_unref(valve);
    }
  }
  return true;
}

bool CaptureGraph::FinishRecording(int timeoutMs) {
  if (pipeline_ == nullptr) return false;
  bool ended = false;
  {
    std::unique_lock lock(busLock_);
    ended = ended_;
  }
  // A source that already ended (an unplugged camera) ignores the event;
  // the others end their streams, and the multiplexer finishes the file
  // once every one of its inputs has ended.
  if (!ended) gst_element_send_event(pipeline_, gst_event_new_eos());
  {
    std::unique_lock lock(busLock_);
    ended = endCondition_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return ended_; });
  }
  Stop();
  recording_ = false;
  return ended;
}

bool CaptureGraph::DeviceOffers(int width, int height) {
  if (pipeline_ == nullptr) return false;
  GstElement* source = gst_bin_get_by_name(GST_BIN(pipeline_), "source");
  if (source == nullptr) return false;
  bool offers = false;
  if (gst_element_set_state(source, GST_STATE_READY) != GST_STATE_CHANGE_FAILURE) {
    GstPad* pad = gst_element_get_static_pad(source, "src");
    GstCaps* caps = gst_pad_query_caps(pad, nullptr);
    GstCaps* wanted = gst_caps_new_empty();
    for (const char* type : {"image/jpeg", "video/x-raw"}) {
      gst_caps_append_structure(wanted, gst_structure_new(type, "width", G_TYPE_INT, width, "height", G_TYPE_INT, height, nullptr));
    }
    offers = gst_caps_can_intersect(caps, wanted);
    gst_caps_unref(wanted);
    gst_caps_unref(caps);
    gst_object_unref(pad);
  }
  gst_element_set_state(source, GST_STATE_NULL);
  gst_object_unref(source);
  return offers;
}

bool CaptureGraph::Run() {
  return pipeline_ != nullptr && gst_element_set_state(pipeline_, GST_STATE_PLAYING) != GST_STATE_CHANGE_FAILURE;
}

bool CaptureGraph::Pause() {
  return pipeline_ != nullptr && gst_element_set_state(pipeline_, GST_STATE_PAUSED) != GST_STATE_CHANGE_FAILURE;
}

void CaptureGraph::Stop() {
  if (pipeline_ != nullptr) gst_element_set_state(pipeline_, GST_STATE_NULL);
}

void CaptureGraph::Free() {
  if (pipeline_ == nullptr) return;
  Stop();
  GstBus* bus = gst_element_get_bus(pipeline_);
  gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
  gst_object_unref(bus);
  gst_object_unref(appsink_);
  gst_object_unref(pipeline_);
  appsink_ = nullptr;
  pipeline_ = nullptr;
  recording_ = false;
  timeLapse_.reset();
}

std::vector<std::string> CaptureGraph::DrainBus() {
  std::lock_guard lock(busLock_);
  std::vector<std::string> lines = std::move(busLines_);
  busLines_.clear();
  formatRefused_ = formatRefused_ || busRefused_;
  busRefused_ = false;
  return lines;
}

}  // namespace orvilo::media
