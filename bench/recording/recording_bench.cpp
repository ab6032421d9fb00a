// CPU time per recorded second at 1080p 30 fps. The reference is the live
// preview graph fed the same frames in the same run: recording adds the
// file branch (tee, queue, avimux, filesink) and the microphone, and should
// cost a small fraction of what decoding the preview does.
#include <gst/app/gstappsrc.h>
#include <gst/gst.h>
#include <time.h>

#include <QGuiApplication>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "camera/demo_camera_page.h"
#include "platform/media/avi_repair.h"
#include "platform/media/capture_graph.h"
#include "platform/media/demo_camera_frames.h"
#include "platform/media/gstreamer_runtime.h"

namespace orvilo {
namespace {

constexpr int kWidth = 1920, kHeight = 1080, kRate = 30;

double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

struct Result {
  double cpuPerSecond = 0;  // CPU seconds per second of wall time
  std::uintmax_t fileBytes = 0;
  std::uint32_t framesInFile = 0;
};

Result Run(const std::vector<std::vector<std::uint8_t>>& frames, const std::string& file, double seconds) {
  std::atomic<std::uint64_t> previewed{0};
  media::CaptureGraph graph([&](const media::VideoFrame&) { ++previewed; }, [] {});
  const media::CaptureFormat format{kWidth, kHeight, kRate, media::CaptureSubtype::Mjpg};
  const std::string source = "appsrc name=source is-live=true do-timestamp=true format=time";
  std::string error;
  const bool built = file.empty()
                         ? graph.BuildPreviewFrom(source, format, media::PreviewDecoder::Vxm, &error)
                         : graph.BuildRecordingFrom(source, media::AudioSourceDescription({"", "", media::kDemoCameraPath}),
                                                    format, media::PreviewDecoder::Vxm, file, &error);
  if (!built) {
    std::fprintf(stderr, "graph: %s\n", error.c_str());
    std::exit(1);
  }
  GstElement* appsrc = graph.Element("source");
  GstCaps* caps = gst_caps_new_simple("image/jpeg", "width", G_TYPE_INT, kWidth, "height", G_TYPE_INT, kHeight,
                                      "framerate", GST_TYPE_FRACTION, kRate, 1, nullptr);
  gst_app_src_set_caps(GST_APP_SRC(appsrc), caps);
  gst_caps_unref(caps);
  std::atomic<bool> feeding{true};
  std::thread feeder([&] {
    const auto interval = std::chrono::nanoseconds(1'000'000'000 / kRate);
    auto next = std::chrono::steady_clock::now();
    for (std::size_t n = 0; feeding; ++n) {
      const auto& bytes = frames[n % frames.size()];
      gst_app_src_push_buffer(GST_APP_SRC(appsrc), gst_buffer_new_memdup(bytes.data(), bytes.size()));
      next += interval;
      std::this_thread::sleep_until(next);
    }
  });
  if (!(file.empty() ? graph.Run() : graph.StartRecording())) {
    std::fprintf(stderr, "the graph does not run\n");
    std::exit(1);
  }
  std::this_thread::sleep_for(std::chrono::seconds(1));  // warm up
  const double cpuBefore = ProcessCpuSeconds();
  const auto wallBefore = std::chrono::steady_clock::now();
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  const double cpu = ProcessCpuSeconds() - cpuBefore;
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
  feeding = false;
  feeder.join();
  if (!file.empty()) graph.FinishRecording(3000);
  graph.Free();
  gst_object_unref(appsrc);
  Result result;
  result.cpuPerSecond = cpu / wall;
  if (!file.empty()) {
    result.fileBytes = std::filesystem::file_size(file);
    result.framesInFile = media::InspectAvi(file).totalFrames;
  }
  return result;
}

}  // namespace
}  // namespace orvilo

int main(int argc, char** argv) {
  using namespace orvilo;
  QGuiApplication application(argc, argv);  // the demo page is drawn with fonts
  const double seconds = argc > 1 ? std::atof(argv[1]) : 6.0;
  if (!media::EnsureGstreamer()) {
    std::fprintf(stderr, "no GStreamer\n");
    return 1;
  }
  const QImage page = camera::DemoTextbookPicture(kWidth, kHeight);
  std::vector<std::vector<std::uint8_t>> frames;
  for (int i = 0; i < 8; ++i) frames.push_back(media::EncodeCameraJpeg(media::DemoFrameAt(page, i * 0.5)));
  const std::string file = (std::filesystem::temp_directory_path() / "orvilo_recording_bench.avi").string();

  const Result preview = Run(frames, "", seconds);
  const Result recording = Run(frames, file, seconds);
  std::filesystem::remove(file);
  std::printf("1920 x 1080 MJPEG at %d fps, %.0f s each, %zu-byte frames on average\n", kRate, seconds,
              [&] { std::size_t sum = 0; for (const auto& f : frames) sum += f.size(); return sum / frames.size(); }());
  std::printf("| graph | CPU s per recorded s |\n|---|---|\n");
  std::printf("| preview only (reference) | %.3f |\n", preview.cpuPerSecond);
  std::printf("| recording (file + preview + microphone) | %.3f |\n", recording.cpuPerSecond);
  std::printf("writing the file: %.3f CPU s per recorded s; ratio recording / reference: %.2f\n",
              recording.cpuPerSecond - preview.cpuPerSecond,
              preview.cpuPerSecond > 0 ? recording.cpuPerSecond / preview.cpuPerSecond : 0.0);
  std::printf("file: %.1f MB per recorded s, %u frames\n",
              static_cast<double>(recording.fileBytes) / (seconds + 1) / 1e6, recording.framesInFile);
  return 0;
}
