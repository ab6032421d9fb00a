#include "platform/media/time_lapse.h"

#include <gst/gst.h>

namespace orvilo::media {
namespace {

constexpr std::uint64_t kFrameNs = 1'000'000'000ull / kTimeLapseFramesPerSecond;

GstPadProbeReturn OnVideo(GstPad*, GstPadProbeInfo* info, gpointer data) {
  auto* clock = static_cast<TimeLapseClock*>(data);
  if ((GST_PAD_PROBE_INFO_TYPE(info) & GST_PAD_PROBE_TYPE_BUFFER) != 0) {
    GstBuffer* buffer = GST_PAD_PROBE_INFO_BUFFER(info);
    const GstClockTime stamp = GST_BUFFER_PTS_IS_VALID(buffer) ? GST_BUFFER_PTS(buffer) : GST_BUFFER_DTS(buffer);
    if (!GST_CLOCK_TIME_IS_VALID(stamp)) return GST_PAD_PROBE_DROP;
    const auto kept = clock->Take(stamp);
    if (!kept) return GST_PAD_PROBE_DROP;
    buffer = gst_buffer_make_writable(buffer);
    GST_BUFFER_PTS(buffer) = *kept;
    GST_BUFFER_DTS(buffer) = *kept;
    GST_BUFFER_DURATION(buffer) = kFrameNs;
    GST_PAD_PROBE_INFO_DATA(info) = buffer;
    return GST_PAD_PROBE_OK;
  }
  GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
  if (event == nullptr || GST_EVENT_TYPE(event) != GST_EVENT_CAPS) return GST_PAD_PROBE_OK;
  // The file's frame rate is the movie's, not the camera's.
  GstCaps* caps = nullptr;
  gst_event_parse_caps(event, &caps);
  GstCaps* movie = gst_caps_copy(caps);
  gst_caps_set_simple(movie, "framerate", GST_TYPE_FRACTION, kTimeLapseFramesPerSecond, 1, nullptr);
  GST_PAD_PROBE_INFO_DATA(info) = gst_event_new_caps(movie);
  gst_caps_unref(movie);
  gst_event_unref(event);
  return GST_PAD_PROBE_OK;
}

}  // namespace

TimeLapseClock::TimeLapseClock(int seconds)
    : seconds_(seconds < 1 ? 1 : seconds), intervalNs_(static_cast<std::uint64_t>(seconds_) * 1'000'000'000ull) {}

std::optional<std::uint64_t> TimeLapseClock::Take(std::uint64_t timestampNs) {
  if (!started_) {
    started_ = true;
    dueNs_ = timestampNs + intervalNs_;
  } else if (timestampNs < dueNs_) {
    return std::nullopt;
  } else {
    dueNs_ = timestampNs - dueNs_ >= intervalNs_ ? timestampNs + intervalNs_ : dueNs_ + intervalNs_;
  }
  const int frame = frames_++;
  return static_cast<std::uint64_t>(frame) * kFrameNs;
}

bool AttachTimeLapse(GstElement* pipeline, TimeLapseClock& clock) {
  if (pipeline == nullptr) return false;
  GstElement* valve = gst_bin_get_by_name(GST_BIN(pipeline), "video-valve");
  if (valve == nullptr) return false;
  GstPad* pad = gst_element_get_static_pad(valve, "src");
  gst_object_unref(valve);
  if (pad == nullptr) return false;
  gst_pad_add_probe(pad, static_cast<GstPadProbeType>(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM),
                    &OnVideo, &clock, nullptr);
  gst_object_unref(pad);
  return true;
}

}  // namespace orvilo::media
