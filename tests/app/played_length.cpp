// played_length <file>: what a player makes of a recording. Prints the
// length GStreamer's discoverer reads from the file's headers and whether the
// whole file decodes through to its end without an error:
//   seconds=12.345 played=1 video=1 audio=1
// Exit status 0 when the file was discovered and played to its end.
#include <gst/gst.h>
#include <gst/pbutils/pbutils.h>

#include <cstdio>
#include <string>

namespace {

struct Discovered {
  bool ok = false;
  double seconds = 0;
  bool video = false;
  bool audio = false;
  std::string error;
};

Discovered Discover(const char* uri) {
  Discovered found;
  GError* error = nullptr;
  GstDiscoverer* discoverer = gst_discoverer_new(10 * GST_SECOND, &error);
  if (discoverer == nullptr) {
    found.error = error != nullptr ? error->message : "no discoverer";
    g_clear_error(&error);
    return found;
  }
  GstDiscovererInfo* info = gst_discoverer_discover_uri(discoverer, uri, &error);
  if (info != nullptr && gst_discoverer_info_get_result(info) == GST_DISCOVERER_OK) {
    found.ok = true;
    found.seconds = static_cast<double>(gst_discoverer_info_get_duration(info)) / GST_SECOND;
    GList* video = gst_discoverer_info_get_video_streams(info);
    GList* audio = gst_discoverer_info_get_audio_streams(info);
    found.video = video != nullptr;
    found.audio = audio != nullptr;
    gst_discoverer_stream_info_list_free(video);
    gst_discoverer_stream_info_list_free(audio);
  } else {
    found.error = error != nullptr ? error->message : "not discovered";
  }
  g_clear_error(&error);
  if (info != nullptr) gst_discoverer_info_unref(info);
  g_object_unref(discoverer);
  return found;
}

// Decodes every stream as fast as it goes; empty on reaching the end.
std::string PlayThrough(const char* uri) {
  const std::string description = std::string("playbin uri=\"") + uri +
                                  "\" video-sink=\"fakesink sync=false\" audio-sink=\"fakesink sync=false\"";
  GError* error = nullptr;
  GstElement* player = gst_parse_launch(description.c_str(), &error);
  g_clear_error(&error);
  if (player == nullptr) return "no player";
  gst_element_set_state(player, GST_STATE_PLAYING);
  GstBus* bus = gst_element_get_bus(player);
  GstMessage* message =
      gst_bus_timed_pop_filtered(bus, 30 * GST_SECOND, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
  std::string problem = "no end within 30 s";
  if (message != nullptr) {
    problem.clear();
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
      GError* playError = nullptr;
      gst_message_parse_error(message, &playError, nullptr);
      problem = playError != nullptr ? playError->message : "error";
      g_clear_error(&playError);
    }
    gst_message_unref(message);
  }
  gst_object_unref(bus);
  gst_element_set_state(player, GST_STATE_NULL);
  gst_object_unref(player);
  return problem;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: played_length <file>\n");
    return 2;
  }
  gst_init(nullptr, nullptr);
  gchar* uri = gst_filename_to_uri(argv[1], nullptr);
  if (uri == nullptr) {
    std::fprintf(stderr, "no such file: %s\n", argv[1]);
    return 1;
  }
  const Discovered found = Discover(uri);
  const std::string problem = found.ok ? PlayThrough(uri) : found.error;
  g_free(uri);
  std::printf("seconds=%.3f played=%d video=%d audio=%d\n", found.seconds, problem.empty() ? 1 : 0, found.video ? 1 : 0,
              found.audio ? 1 : 0);
  if (!problem.empty()) std::fprintf(stderr, "%s\n", problem.c_str());
  return found.ok && problem.empty() ? 0 : 1;
}
