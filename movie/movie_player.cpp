#include "movie/movie_player.h"

#include <gst/app/gstappsink.h>
#include <gst/video/video.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <utility>

#include "platform/audio/audio_output_choice.h"

namespace orvilo::movie {
namespace {

// playbin's "flags": subtitles are never shown here.
constexpr guint kPlayFlagText = 1u << 2;

std::string TakeErrorText(GError* error, const char* fallback) {
  std::string text = error != nullptr ? error->message : fallback;
  if (error != nullptr) g_error_free(error);
  return text;
}

// The audio output ORVILO_AUDIO_OUT names: the desktop's default, a named
// ALSA device, or nothing audible (null, wav:, or a value we do not know) —
// a fakesink that still keeps time with the clock.
GstElement* MakeAudioSink() {
  const audio::AudioOutputChoice choice = audio::AudioOutputChoiceFromEnvironment();
  if (choice.kind == audio::AudioOutputChoice::Kind::kAlsa) {
    if (choice.target == "default") return gst_element_factory_make("autoaudiosink", "audio sink");
    GstElement* sink = gst_element_factory_make("alsasink", "audio sink");
    if (sink != nullptr) g_object_set(sink, "device", choice.target.c_str(), nullptr);
    return sink;
  }
  GstElement* sink = gst_element_factory_make("fakesink", "audio sink");
  if (sink != nullptr) g_object_set(sink, "sync", TRUE, nullptr);
  return sink;
}

}  // namespace

// --- HeldFrame ---------------------------------------------------------------

HeldFrame::HeldFrame(GstSample* sample) {
  if (sample == nullptr) return;
  GstBuffer* buffer = gst_sample_get_buffer(sample);
  GstCaps* caps = gst_sample_get_caps(sample);
  GstVideoInfo info;
  if (buffer == nullptr || caps == nullptr || !gst_video_info_from_caps(&info, caps) ||
      GST_VIDEO_INFO_FORMAT(&info) != GST_VIDEO_FORMAT_BGRx) {
    return;
  }
  int width = GST_VIDEO_INFO_WIDTH(&info);
  int height = GST_VIDEO_INFO_HEIGHT(&info);
  gsize offset = GST_VIDEO_INFO_PLANE_OFFSET(&info, 0);
  int stride = GST_VIDEO_INFO_PLANE_STRIDE(&info, 0);
  // An element upstream may lay the rows out its own way and say so in a meta.
  if (const GstVideoMeta* meta = gst_buffer_get_video_meta(buffer)) {
    width = static_cast<int>(meta->width);
    height = static_cast<int>(meta->height);
    offset = meta->offset[0];
    stride = meta->stride[0];
  }
  if (width <= 0 || height <= 0 || stride < width * 4) return;
  sample_ = gst_sample_ref(sample);
  if (!gst_buffer_map(buffer, &map_, GST_MAP_READ)) {
    gst_sample_unref(sample_);
    sample_ = nullptr;
    return;
  }
  const gsize needed = offset + static_cast<gsize>(stride) * static_cast<gsize>(height - 1) + static_cast<gsize>(width) * 4;
  if (map_.size < needed) {
    Release();
    return;
  }
  data_ = map_.data + offset;
  width_ = width;
  height_ = height;
  stride_ = stride;
}

HeldFrame::HeldFrame(HeldFrame&& other) noexcept { *this = std::move(other); }

HeldFrame& HeldFrame::operator=(HeldFrame&& other) noexcept {
  if (this != &other) {
    Release();
    sample_ = std::exchange(other.sample_, nullptr);
    map_ = other.map_;
    data_ = std::exchange(other.data_, nullptr);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    stride_ = std::exchange(other.stride_, 0);
  }
  return *this;
}

HeldFrame::~HeldFrame() { Release(); }

void HeldFrame::Release() {
  if (sample_ != nullptr) {
    gst_buffer_unmap(gst_sample_get_buffer(sample_), &map_);
    gst_sample_unref(sample_);
  }
  sample_ = nullptr;
  data_ = nullptr;
  width_ = height_ = stride_ = 0;
}

// --- MoviePlayer -------------------------------------------------------------

std::unique_ptr<MoviePlayer> MoviePlayer::Open(const std::string& path, Callbacks callbacks, std::string* error,
                                               int timeoutMs) {
  std::string ignored;
  std::string& why = error != nullptr ? *error : ignored;
  std::error_code fileError;
  if (path.empty() || !std::filesystem::is_regular_file(path, fileError)) {
    why = "no such file: \"" + path + "\"";
    return nullptr;
  }
  GError* gstError = nullptr;
  if (!gst_init_check(nullptr, nullptr, &gstError)) {
    why = "GStreamer did not start: " + TakeErrorText(gstError, "unknown error");
    return nullptr;
  }
  gchar* uri = gst_filename_to_uri(path.c_str(), &gstError);
  if (uri == nullptr) {
    why = TakeErrorText(gstError, "the path makes no URI");
    return nullptr;
  }

  std::unique_ptr<MoviePlayer> player(new MoviePlayer());
  player->callbacks_ = std::move(callbacks);
  player->pipeline_ = gst_element_factory_make("playbin", "movie");
  GstElement* videoSink = gst_element_factory_make("appsink", "video sink");
  GstElement* audioSink = MakeAudioSink();
  if (player->pipeline_ == nullptr || videoSink == nullptr || audioSink == nullptr) {
    why = "the playbin, appsink or audio sink element is not installed";
    if (videoSink != nullptr) gst_object_unref(gst_object_ref_sink(videoSink));
    if (audioSink != nullptr) gst_object_unref(gst_object_ref_sink(audioSink));
    g_free(uri);
    return nullptr;
  }
  player->pipeline_ = GST_ELEMENT(gst_object_ref_sink(player->pipeline_));

  // Our own video sink: frames converted to BGRx with square pixels, handed
  // over in time with the clock.
  GstCaps* caps = gst_caps_from_string("video/x-raw,format=BGRx,pixel-aspect-ratio=1/1");
  g_object_set(videoSink, "caps", caps, "sync", TRUE, "max-buffers", 1, "drop", TRUE, "enable-last-sample", FALSE,
               nullptr);
  gst_caps_unref(caps);
  GstAppSinkCallbacks sinkCallbacks{};
  sinkCallbacks.new_preroll = [](GstAppSink* sink, gpointer self) { return OnNewPreroll(GST_ELEMENT(sink), self); };
  sinkCallbacks.new_sample = [](GstAppSink* sink, gpointer self) { return OnNewSample(GST_ELEMENT(sink), self); };
  gst_app_sink_set_callbacks(GST_APP_SINK(videoSink), &sinkCallbacks, player.get(), nullptr);
  player->videoSink_ = videoSink;

  guint flags = 0;
  g_object_get(player->pipeline_, "flags", &flags, nullptr);
  g_object_set(player->pipeline_, "uri", uri, "flags", flags & ~kPlayFlagText, "video-sink", videoSink, "audio-sink",
               audioSink, nullptr);
  g_free(uri);

  GstBus* bus = gst_element_get_bus(player->pipeline_);
  gst_bus_set_sync_handler(bus, OnBusMessage, player.get(), nullptr);
  gst_object_unref(bus);

  // Paused: the file is opened, its streams found and the first frame made.
  GstStateChangeReturn result = gst_element_set_state(player->pipeline_, GST_STATE_PAUSED);
  if (result != GST_STATE_CHANGE_FAILURE) {
    result = gst_element_get_state(player->pipeline_, nullptr, nullptr,
                                   static_cast<GstClockTime>(timeoutMs) * GST_MSECOND);
  }
  if (result == GST_STATE_CHANGE_FAILURE || result == GST_STATE_CHANGE_ASYNC) {
    std::vector<Event> events = player->TakeEvents();
    why = result == GST_STATE_CHANGE_ASYNC ? "the movie did not start in time"
          : events.empty()                 ? "the movie cannot be played"
                                           : events.front().text;
    return nullptr;
  }
  gint videoStreams = 0;
  gint audioStreams = 0;
  g_object_get(player->pipeline_, "n-video", &videoStreams, "n-audio", &audioStreams, nullptr);
  if (videoStreams <= 0 && audioStreams <= 0) {
    why = "the file has neither picture nor sound";
    return nullptr;
  }
  player->hasVideo_ = videoStreams > 0;
  player->TakeEvents();  // anything reported while opening is settled
  return player;
}

MoviePlayer::~MoviePlayer() {
  if (pipeline_ != nullptr) {
    // Joins the streaming threads: no callback runs after this.
    gst_element_set_state(pipeline_, GST_STATE_NULL);
    GstBus* bus = gst_element_get_bus(pipeline_);
    gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
    gst_object_unref(bus);
    gst_object_unref(pipeline_);
  }
  if (latest_ != nullptr) gst_sample_unref(latest_);
}

bool MoviePlayer::Play() { return gst_element_set_state(pipeline_, GST_STATE_PLAYING) != GST_STATE_CHANGE_FAILURE; }

bool MoviePlayer::Pause() { return gst_element_set_state(pipeline_, GST_STATE_PAUSED) != GST_STATE_CHANGE_FAILURE; }

bool MoviePlayer::Rewind() {
  if (gst_element_set_state(pipeline_, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE) return false;
  return SeekTo(0, rate_);
}

void MoviePlayer::Halt() { gst_element_set_state(pipeline_, GST_STATE_READY); }

std::int64_t MoviePlayer::Position() const {
  gint64 position = -1;
  if (!gst_element_query_position(pipeline_, GST_FORMAT_TIME, &position)) return -1;
  return position;
}

std::int64_t MoviePlayer::Duration() const {
  gint64 duration = -1;
  if (!gst_element_query_duration(pipeline_, GST_FORMAT_TIME, &duration)) return -1;
  return duration;
}

bool MoviePlayer::Seek(std::int64_t position) { return SeekTo(std::max<std::int64_t>(position, 0), rate_); }

bool MoviePlayer::SetRate(double rate) {
  if (rate <= 0) return false;
  if (!SeekTo(std::max<std::int64_t>(Position(), 0), rate)) return false;
  rate_ = rate;
  return true;
}

bool MoviePlayer::SeekTo(std::int64_t position, double rate) {
  const auto flags = static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
  return gst_element_seek(pipeline_, rate, GST_FORMAT_TIME, flags, GST_SEEK_TYPE_SET, position, GST_SEEK_TYPE_NONE,
                          GST_CLOCK_TIME_NONE);
}

std::vector<MoviePlayer::Event> MoviePlayer::TakeEvents() {
  std::lock_guard lock(eventLock_);
  return std::exchange(events_, {});
}

HeldFrame MoviePlayer::LatestFrame() const {
  GstSample* sample = nullptr;
  {
    std::lock_guard lock(frameLock_);
    if (latest_ != nullptr) sample = gst_sample_ref(latest_);
  }
  HeldFrame frame(sample);
  if (sample != nullptr) gst_sample_unref(sample);
  return frame;
}

void MoviePlayer::StoreFrame(GstSample* sample) {
  GstSample* old = nullptr;
  {
    std::lock_guard lock(frameLock_);
    old = std::exchange(latest_, sample);
  }
  if (old != nullptr) gst_sample_unref(old);
  if (!framePosted_.exchange(true) && callbacks_.frameReady) callbacks_.frameReady();
}

GstFlowReturn MoviePlayer::OnNewSample(GstElement* sink, gpointer self) {
  if (GstSample* sample = gst_app_sink_pull_sample(GST_APP_SINK(sink))) static_cast<MoviePlayer*>(self)->StoreFrame(sample);
  return GST_FLOW_OK;
}

GstFlowReturn MoviePlayer::OnNewPreroll(GstElement* sink, gpointer self) {
  if (GstSample* sample = gst_app_sink_pull_preroll(GST_APP_SINK(sink))) static_cast<MoviePlayer*>(self)->StoreFrame(sample);
  return GST_FLOW_OK;
}

// On whichever thread posted the message: record what the owner must act on
// and tell it; every message is dropped here, so the bus never fills up.
GstBusSyncReply MoviePlayer::OnBusMessage(GstBus*, GstMessage* message, gpointer self) {
  auto* player = static_cast<MoviePlayer*>(self);
  std::optional<Event> event;
  switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_EOS: event = Event{Event::Kind::EndOfStream, {}}; break;
    case GST_MESSAGE_ERROR: {
      GError* error = nullptr;
      gchar* detail = nullptr;
      gst_message_parse_error(message, &error, &detail);
      std::string text = TakeErrorText(error, "error");
      if (detail != nullptr) text += std::string(" (") + detail + ")";
      g_free(detail);
      event = Event{Event::Kind::Error, std::move(text)};
      break;
    }
    default: break;
  }
  if (event) {
    {
      std::lock_guard lock(player->eventLock_);
      player->events_.push_back(std::move(*event));
    }
    if (player->callbacks_.busNotify) player->callbacks_.busNotify();
  }
  gst_message_unref(message);
  return GST_BUS_DROP;
}

}  // namespace orvilo::movie
