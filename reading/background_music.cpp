#include "reading/background_music.h"

#include <gst/gst.h>

#include "platform/audio/audio_output_choice.h"

namespace orvilo::reading {
namespace {

constexpr GstClockTime kLoadTimeout = 5 * GST_SECOND;
constexpr int kPlayAudioOnly = 0x2;  // playbin's "audio" flag

GstElement* MakeAudioSink() {
  const auto choice = audio::AudioOutputChoiceFromEnvironment();
  if (choice.kind == audio::AudioOutputChoice::Kind::kAlsa) {
    if (GstElement* sink = gst_element_factory_make("autoaudiosink", "bgm-audio")) return sink;
  }
  GstElement* sink = gst_element_factory_make("fakesink", "bgm-audio");
  if (sink) g_object_set(sink, "sync", TRUE, nullptr);
  return sink;
}

}  // namespace

GstMusicPlayer::~GstMusicPlayer() { Release(); }

void GstMusicPlayer::OnStreamEnded() {
  ended_ = true;
  if (onEvent_) onEvent_();
}

bool GstMusicPlayer::Load(const std::string& path) {
  Release();
  if (!gst_init_check(nullptr, nullptr, nullptr)) return false;
  gchar* uri = gst_filename_to_uri(path.c_str(), nullptr);
  if (!uri) return false;
  pipeline_ = gst_element_factory_make("playbin", "background-music");
  if (!pipeline_) {
    g_free(uri);
    return false;
  }
  GstElement* videoSink = gst_element_factory_make("fakesink", "bgm-video");
  g_object_set(pipeline_, "uri", uri, "flags", kPlayAudioOnly, nullptr);
  if (videoSink) g_object_set(pipeline_, "video-sink", videoSink, nullptr);
  if (GstElement* audioSink = MakeAudioSink()) g_object_set(pipeline_, "audio-sink", audioSink, nullptr);
  g_free(uri);

  GstBus* bus = gst_element_get_bus(pipeline_);
  // Runs on the streaming threads: it only notes the end and queues.
  const GstBusSyncHandler onBus = [](GstBus*, GstMessage* message, gpointer self) {
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS) static_cast<GstMusicPlayer*>(self)->OnStreamEnded();
    return GST_BUS_DROP;
  };
  gst_bus_set_sync_handler(bus, onBus, this, nullptr);
  gst_object_unref(bus);

  gst_element_set_state(pipeline_, GST_STATE_PAUSED);
  GstState state = GST_STATE_NULL;
  const GstStateChangeReturn ready = gst_element_get_state(pipeline_, &state, nullptr, kLoadTimeout);
  gint audioStreams = 0;
  if (ready == GST_STATE_CHANGE_SUCCESS) g_object_get(pipeline_, "n-audio", &audioStreams, nullptr);
  if (ready != GST_STATE_CHANGE_SUCCESS || audioStreams < 1) {
    Release();
    return false;
  }
  return true;
}

void GstMusicPlayer::Run() {
  if (pipeline_) gst_element_set_state(pipeline_, GST_STATE_PLAYING);
}

void GstMusicPlayer::Pause() {
  if (pipeline_) gst_element_set_state(pipeline_, GST_STATE_PAUSED);
}

void GstMusicPlayer::RewindAndStop() {
  if (!pipeline_) return;
  gst_element_set_state(pipeline_, GST_STATE_PAUSED);
  gst_element_get_state(pipeline_, nullptr, nullptr, kLoadTimeout);
  gst_element_seek_simple(pipeline_, GST_FORMAT_TIME, static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH), 0);
}

void GstMusicPlayer::Release() {
  if (!pipeline_) return;
  gst_element_set_state(pipeline_, GST_STATE_NULL);
  GstBus* bus = gst_element_get_bus(pipeline_);
  gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
  gst_object_unref(bus);
  gst_object_unref(pipeline_);
  pipeline_ = nullptr;
  ended_ = false;
}

bool GstMusicPlayer::Playing() const {
  if (!pipeline_) return false;
  GstState state = GST_STATE_NULL;
  gst_element_get_state(pipeline_, &state, nullptr, 0);
  return state == GST_STATE_PLAYING;
}

}  // namespace orvilo::reading
