// The live preview path end to end, per group-C resolution: pre-encoded
// camera-like frames (the demo page with its pointer, 4:2:2, no Huffman
// tables) are fed at the camera's frame rate into the program's preview
// graph (one-frame leaky queue, vxmmjpegdec, appsink) whose callback stores
// them in a real live view of 1024 x 776, which paints them scaled.
//
// Prints: fps painted and the rate asked for, process CPU per frame, the
// ratio CPU per frame / frame interval (< 1 keeps up on one core), and the
// arrival-to-paint latency (median, 90th percentile).
#include <gst/app/gstappsrc.h>
#include <gst/gst.h>
#include <time.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "camera/camera_window.h"
#include "camera/demo_camera_page.h"
#include "core/camera_model.h"
#include "platform/media/capture_graph.h"
#include "platform/media/demo_camera_frames.h"
#include "platform/media/gstreamer_runtime.h"

namespace {

using namespace orvilo;

double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9;
}

// The live view, noting each paint's arrival-to-paint time.
class MeasuredView : public camera::CVyr3CameraWnd {
 public:
  std::vector<double> latenciesMs;
  bool measuring = false;

 protected:
  void paintEvent(QPaintEvent* event) override {
    const auto painted = FramesPainted();
    camera::CVyr3CameraWnd::paintEvent(event);
    if (measuring && FramesPainted() != painted) latenciesMs.push_back(LastArrivalToPaintNs() / 1e6);
  }
};

// Runs the event loop (sleeping while there is nothing to do) for `ms`.
void RunEventLoop(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

struct Result {
  double fps = 0;
  double cpuPerFrameMs = 0;
  double medianLatencyMs = 0;
  double p90LatencyMs = 0;
  std::uint64_t painted = 0;
};

Result Run(int width, int height, int rate, double seconds) {
  // Eight distinct frames, as the pointer moves: decoding never sees a repeat
  // it could profit from.
  const QImage page = camera::DemoTextbookPicture(width, height);
  std::vector<std::vector<std::uint8_t>> frames;
  for (int i = 0; i < 8; ++i) frames.push_back(media::EncodeCameraJpeg(media::DemoFrameAt(page, i * 0.5)));

  MeasuredView view;
  view.resize(1024, 776);
  view.show();
  media::CaptureGraph graph([&view](const media::VideoFrame& frame) { view.StoreFrame(frame); }, [] {});
  std::string error;
  const media::CaptureFormat format{width, height, rate, media::CaptureSubtype::Mjpg};
  if (!graph.BuildPreviewFrom("appsrc name=source is-live=true do-timestamp=true format=time", format,
                              media::PreviewDecoder::Vxm, &error)) {
    std::fprintf(stderr, "preview graph: %s\n", error.c_str());
    std::exit(1);
  }
  GstElement* source = graph.Element("source");
  GstCaps* caps = gst_caps_new_simple("image/jpeg", "width", G_TYPE_INT, width, "height", G_TYPE_INT, height,
                                      "framerate", GST_TYPE_FRACTION, rate, 1, nullptr);
  gst_app_src_set_caps(GST_APP_SRC(source), caps);
  gst_caps_unref(caps);
  graph.Run();

  std::atomic<bool> feeding{true};
  std::thread feeder([&] {
    const auto interval = std::chrono::nanoseconds(1'000'000'000 / rate);
    auto next = std::chrono::steady_clock::now();
    for (std::size_t n = 0; feeding; ++n) {
      const auto& bytes = frames[n % frames.size()];
      GstBuffer* buffer = gst_buffer_new_memdup(bytes.data(), bytes.size());
      gst_app_src_push_buffer(GST_APP_SRC(source), buffer);
      next += interval;
      std::this_thread::sleep_until(next);
    }
  });

  // Warm up a second, then measure.
  RunEventLoop(1000);
  const std::uint64_t paintedBefore = view.FramesPainted();
  const double cpuBefore = ProcessCpuSeconds();
  view.measuring = true;
  QElapsedTimer timer;
  timer.start();
  RunEventLoop(static_cast<int>(seconds * 1000));
  view.measuring = false;
  const double wall = timer.elapsed() / 1000.0;
  const double cpu = ProcessCpuSeconds() - cpuBefore;
  std::vector<double>& latencies = view.latenciesMs;
  feeding = false;
  feeder.join();
  graph.Free();
  gst_object_unref(source);

  Result result;
  result.painted = view.FramesPainted() - paintedBefore;
  result.fps = result.painted / wall;
  result.cpuPerFrameMs = result.painted ? cpu * 1000.0 / result.painted : 0;
  std::sort(latencies.begin(), latencies.end());
  if (!latencies.empty()) {
    result.medianLatencyMs = latencies[latencies.size() / 2];
    result.p90LatencyMs = latencies[latencies.size() * 9 / 10];
  }
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 4.0;
  QApplication app(argc, argv);
  if (!media::EnsureGstreamer()) return 1;
  std::printf("%-12s %8s %8s %12s %8s %14s %10s\n", "frame", "asked", "fps", "CPU/frame ms", "ratio",
              "latency median", "p90 ms");
  for (int index = 0; index <= 5; ++index) {
    const core::FrameSize size = core::ResolutionOf(8, index);
    const int rate = core::FrameRateFor(8, size.height);
    const Result r = Run(size.width, size.height, rate, seconds);
    const double ratio = r.cpuPerFrameMs / (1000.0 / rate);
    std::printf("%4d x %-5d %8d %8.1f %12.1f %8.2f %14.1f %10.1f\n", size.width, size.height, rate, r.fps,
                r.cpuPerFrameMs, ratio, r.medianLatencyMs, r.p90LatencyMs);
    std::fflush(stdout);
  }
  return 0;
}
