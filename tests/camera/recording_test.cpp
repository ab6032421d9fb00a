// Recording from the demo camera and microphone through the real camera
// view: the files are read back by GStreamer's discoverer and played through
// to their end, and their AVI structure (index, counts) is read directly.
// Faults: a camera lost mid-recording, a program killed mid-recording, a
// size-capped folder. The last two run the recording in a child process
// (this program again, one test selected by the environment).
#include <gst/gst.h>
#include <gst/pbutils/pbutils.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "camera/camera_window.h"
#include "gstreamer_for_tests.h"
#include "platform/media/avi_repair.h"
#include "platform/media/gstreamer_runtime.h"
#include "platform/media/recording_journal.h"

extern char** environ;

namespace orvilo::camera {
namespace {

const CaptureDevice kDemo{"demo#vid_0000&pid_a308#orvilo", "Orvilo Demo Camera", media::kDemoCameraPath};
const CaptureDevice kDemoMicrophone{"demo#microphone", "Orvilo Demo Microphone", media::kDemoCameraPath};

void StartGstreamer() {
  ASSERT_EQ(mjpeg::testing::StartGstreamer({"coreelements", "app", "jpeg", "videoconvertscale", "avi", "audiotestsrc",
                                            "audioconvert", "audioresample", "playback", "typefindfunctions", "pbtypes"},
                                           ORVILO_PROGRAM_DIR),
            "");
  ASSERT_TRUE(media::EnsureGstreamer());
}

template <typename Condition>
bool Until(Condition condition, int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > milliseconds) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

void RunEvents(int milliseconds) {
  Until([] { return false; }, milliseconds);
}

// What a player sees in a file.
struct Played {
  bool discovered = false;
  double seconds = 0;
  std::string video;  // caps of the video stream
  std::string audio;
  bool playedToEnd = false;  // decoded through to its end without an error
  int videoFrames = 0;       // pictures that reached the video sink
  std::string error;
};

GstPadProbeReturn CountBuffer(GstPad*, GstPadProbeInfo*, gpointer count) {
  ++*static_cast<int*>(count);
  return GST_PAD_PROBE_OK;
}

Played Play(const std::string& path) {
  Played played;
  GError* error = nullptr;
  GstDiscoverer* discoverer = gst_discoverer_new(10 * GST_SECOND, &error);
  if (discoverer == nullptr) {
    played.error = error ? error->message : "no discoverer";
    if (error) g_error_free(error);
    return played;
  }
  gchar* uri = gst_filename_to_uri(path.c_str(), nullptr);
  GstDiscovererInfo* info = gst_discoverer_discover_uri(discoverer, uri, &error);
  if (info != nullptr && gst_discoverer_info_get_result(info) == GST_DISCOVERER_OK) {
    played.discovered = true;
    played.seconds = static_cast<double>(gst_discoverer_info_get_duration(info)) / GST_SECOND;
    for (auto [list, into] : {std::pair{gst_discoverer_info_get_video_streams(info), &played.video},
                              std::pair{gst_discoverer_info_get_audio_streams(info), &played.audio}}) {
      if (list != nullptr) {
        GstCaps* caps = gst_discoverer_stream_info_get_caps(static_cast<GstDiscovererStreamInfo*>(list->data));
        gchar* text = gst_caps_to_string(caps);
        *into = text;
        g_free(text);
        gst_caps_unref(caps);
      }
      gst_discoverer_stream_info_list_free(list);
    }
  } else {
    played.error = error ? error->message : "not discovered";
  }
  if (error) g_error_free(error);
  if (info) gst_discoverer_info_unref(info);
  g_object_unref(discoverer);

  // Decode everything, as fast as it goes.
  const std::string description =
      std::string("playbin uri=\"") + uri + "\" audio-sink=\"fakesink sync=false\"";
  g_free(uri);
  GstElement* player = gst_parse_launch(description.c_str(), nullptr);
  if (player == nullptr) return played;
  GstElement* videoSink = gst_element_factory_make("fakesink", nullptr);
  g_object_set(videoSink, "sync", FALSE, nullptr);
  GstPad* videoPad = gst_element_get_static_pad(videoSink, "sink");
  gst_pad_add_probe(videoPad, GST_PAD_PROBE_TYPE_BUFFER, &CountBuffer, &played.videoFrames, nullptr);
  gst_object_unref(videoPad);
  g_object_set(player, "video-sink", videoSink, nullptr);
  gst_element_set_state(player, GST_STATE_PLAYING);
  GstBus* bus = gst_element_get_bus(player);
  GstMessage* message = gst_bus_timed_pop_filtered(bus, 30 * GST_SECOND,
                                                   static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
  if (message != nullptr) {
    played.playedToEnd = GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS;
    if (!played.playedToEnd) {
      GError* playError = nullptr;
      gst_message_parse_error(message, &playError, nullptr);
      played.error = playError ? playError->message : "error";
      if (playError) g_error_free(playError);
    }
    gst_message_unref(message);
  }
  gst_object_unref(bus);
  gst_element_set_state(player, GST_STATE_NULL);
  gst_object_unref(player);
  return played;
}

class Recording : public ::testing::Test {
 protected:
  void SetUp() override {
    StartGstreamer();
    ASSERT_TRUE(folder.isValid());
    view.resize(640, 480);
    view.show();
  }

  std::string File(const char* name) const { return folder.filePath(name).toStdString(); }

  void Bind(core::CameraModel model, core::ResolutionIndex index, const CaptureDevice& device = kDemo) {
    view.SetResolution(model, index);
    view.SelectDevices(device, &kDemoMicrophone);
  }

  QTemporaryDir folder;
  CVyr3CameraWnd view;
};

struct FormatCase {
  const char* name;
  core::CameraModel model;
  core::ResolutionIndex index;
  int width, height, fps;
  const char* videoCaps;
  const char* handler;
};

class RecordingFormats : public Recording, public ::testing::WithParamInterface<FormatCase> {};

// Five seconds from the demo camera and microphone: the camera's own frames
// at the configured size and rate, PCM sound, an index, five seconds long.
TEST_P(RecordingFormats, FiveSecondsPlayWithTheCamerasOwnStreamAndSound) {
  const FormatCase& c = GetParam();
  Bind(c.model, c.index);
  const media::CaptureFormat format = view.CaptureFormat();
  ASSERT_EQ(format.width, c.width);
  ASSERT_EQ(format.height, c.height);
  ASSERT_EQ(format.framesPerSecond, c.fps);
  const std::string file = File("lesson.avi");
  ASSERT_TRUE(view.StartRecording(file));
  EXPECT_EQ(view.State(), GraphState::Recording);
  EXPECT_TRUE(view.StartRecording(file)) << "recording again changes nothing";
  const auto framesBefore = view.FramesStored();
  RunEvents(5000);
  EXPECT_GT(view.FramesStored(), framesBefore + 10) << "the picture keeps showing while recording";
  ASSERT_TRUE(view.StopRecording());
  EXPECT_EQ(view.State(), GraphState::None);
  EXPECT_FALSE(view.StopRecording());

  const media::AviFileInfo avi = media::InspectAvi(file);
  ASSERT_TRUE(avi.valid);
  EXPECT_TRUE(avi.finished);
  EXPECT_TRUE(avi.hasIndex);
  ASSERT_EQ(avi.streams.size(), 2u);
  EXPECT_EQ(avi.streams[0].type, "vids");
  EXPECT_EQ(avi.streams[0].handler, c.handler);
  EXPECT_EQ(avi.streams[1].type, "auds");
  EXPECT_EQ(avi.width, c.width);
  EXPECT_EQ(avi.height, c.height);
  EXPECT_EQ(avi.microSecondsPerFrame, 1000000u / static_cast<unsigned>(c.fps));

  const Played played = Play(file);
  ASSERT_TRUE(played.discovered) << played.error;
  EXPECT_NEAR(played.seconds, 5.0, 0.5);
  EXPECT_EQ(played.video.rfind(c.videoCaps, 0), 0u) << played.video;
  const std::string size = "width=(int)" + std::to_string(c.width) + ", height=(int)" + std::to_string(c.height);
  EXPECT_NE(played.video.find(size), std::string::npos) << played.video;
  EXPECT_NE(played.video.find("framerate=(fraction)" + std::to_string(c.fps) + "/1"), std::string::npos) << played.video;
  EXPECT_EQ(played.audio.rfind("audio/x-raw", 0), 0u) << played.audio;
  EXPECT_NE(played.audio.find("S16LE"), std::string::npos) << played.audio;
  EXPECT_TRUE(played.playedToEnd) << played.error;
}

INSTANTIATE_TEST_SUITE_P(Subtypes, RecordingFormats,
                         ::testing::Values(FormatCase{"Mjpeg", 8, 0, 640, 480, 20, "image/jpeg", "MJPG"},
                                           // Group B, index 5: the camera's uncompressed YUY2 at 2592 x 1944.
                                           FormatCase{"Yuy2", 5, 5, 2592, 1944, 5, "video/x-raw", "YUY2"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Recording, AnEmptyNameOrNoCameraRecordsNothing) {
  EXPECT_FALSE(view.StartRecording(File("none.avi")));  // no camera bound
  Bind(8, 0);
  EXPECT_FALSE(view.StartRecording(""));
  EXPECT_EQ(view.State(), GraphState::Previewing);
  EXPECT_FALSE(view.StartRecording(File("no/such/folder/x.avi")));
  EXPECT_NE(view.State(), GraphState::Recording);
}

// A camera that fails after 60 frames (3 s at 20 fps): the recording stops
// by itself and the file plays, missing at most a second.
TEST_F(Recording, ACameraLostMidRecordingStopsItAndTheFilePlays) {
  Bind(8, 0, {"demo", "Orvilo Demo Camera", "demo?fail-after=60"});
  const std::string file = File("lost.avi");
  ASSERT_TRUE(view.StartRecording(file));
  ASSERT_TRUE(Until([&] { return view.State() != GraphState::Recording; }, 10000));
  const media::AviFileInfo avi = media::InspectAvi(file);
  EXPECT_TRUE(avi.finished);
  const Played played = Play(file);
  ASSERT_TRUE(played.discovered) << played.error;
  EXPECT_TRUE(played.playedToEnd) << played.error;
  EXPECT_GE(played.seconds, 2.0);
  EXPECT_LE(played.seconds, 3.5);
}

// Time-lapse: one frame a second of a 20 fps camera into a 30 fps AVI
// without sound; the picture keeps showing; the count on the picture is
// the file's frames; the stopped file is finished and plays its frames.
TEST_F(Recording, ATimeLapseKeepsAFrameEverySecondAsA30FpsMovie) {
  Bind(8, 0);
  const std::string file = File("lapse.avi");
  ASSERT_TRUE(view.StartTimeLapse(file, 1));
  EXPECT_TRUE(view.TimeLapseRunning());
  EXPECT_EQ(view.State(), GraphState::Recording);
  EXPECT_FALSE(view.StartTimeLapse(File("other.avi"), 1)) << "one recording at a time";
  const auto framesBefore = view.FramesStored();
  ASSERT_TRUE(Until([&] { return view.TimeLapseFrames() >= 1; }, 3000));
  RunEvents(3500);
  EXPECT_GT(view.FramesStored(), framesBefore + 30) << "the live picture runs on at the camera's rate";
  const int counted = view.TimeLapseFrames();
  EXPECT_GE(counted, 4);  // 0, 1, 2, 3 s
  EXPECT_LE(counted, 5);
  ASSERT_TRUE(view.StopRecording());
  EXPECT_FALSE(view.TimeLapseRunning());
  EXPECT_EQ(view.TimeLapseFrames(), counted);

  const media::AviFileInfo avi = media::InspectAvi(file);
  ASSERT_TRUE(avi.valid);
  EXPECT_TRUE(avi.finished);
  EXPECT_TRUE(avi.hasIndex);
  ASSERT_EQ(avi.streams.size(), 1u) << "no sound in a time-lapse";
  EXPECT_EQ(avi.streams[0].handler, "MJPG");
  EXPECT_EQ(avi.microSecondsPerFrame, 33333u);
  EXPECT_EQ(avi.totalFrames, static_cast<std::uint32_t>(counted));
  const Played played = Play(file);
  ASSERT_TRUE(played.discovered) << played.error;
  EXPECT_NE(played.video.find("framerate=(fraction)30/1"), std::string::npos) << played.video;
  EXPECT_NE(played.video.find("width=(int)640, height=(int)480"), std::string::npos) << played.video;
  EXPECT_NEAR(played.seconds, counted / 30.0, 0.02);
  EXPECT_TRUE(played.audio.empty());
  EXPECT_TRUE(played.playedToEnd) << played.error;
  EXPECT_EQ(played.videoFrames, counted);

  // Afterwards an ordinary recording has its sound and rate again.
  Bind(8, 0);
  ASSERT_TRUE(view.StartRecording(File("after.avi")));
  EXPECT_FALSE(view.TimeLapseRunning());
  RunEvents(1000);
  ASSERT_TRUE(view.StopRecording());
  const media::AviFileInfo after = media::InspectAvi(File("after.avi"));
  EXPECT_EQ(after.streams.size(), 2u);
  EXPECT_EQ(after.microSecondsPerFrame, 50000u);
}

// A camera lost during a time-lapse ends it like a recording: the file is
// finished with the frames kept until then.
TEST_F(Recording, ACameraLostDuringATimeLapseLeavesAFinishedFile) {
  Bind(8, 0, {"demo", "Orvilo Demo Camera", "demo?fail-after=50"});
  const std::string file = File("lapse-lost.avi");
  ASSERT_TRUE(view.StartTimeLapse(file, 1));
  ASSERT_TRUE(Until([&] { return !view.TimeLapseRunning(); }, 10000));
  const media::AviFileInfo avi = media::InspectAvi(file);
  EXPECT_TRUE(avi.finished);
  EXPECT_GE(avi.totalFrames, 2u);
  EXPECT_EQ(avi.totalFrames, static_cast<std::uint32_t>(view.TimeLapseFrames()));
  const Played played = Play(file);
  EXPECT_TRUE(played.playedToEnd) << played.error;
}

// --- child processes ---------------------------------------------------------

constexpr const char* kChildFile = "ORVILO_RECORDING_CHILD_FILE";
constexpr const char* kChildCap = "ORVILO_RECORDING_CHILD_CAP";

// Only as a child: records until killed, or, in a size-capped folder, until
// the cap stops it (then exits normally after the stop).
TEST(RecordingChild, RecordsUntilStopped) {
  const char* file = std::getenv(kChildFile);
  if (file == nullptr) GTEST_SKIP() << "runs only as the child of the fault tests";
  if (const char* cap = std::getenv(kChildCap)) {
    // Writes beyond the cap fail with EFBIG instead of killing the process.
    signal(SIGXFSZ, SIG_IGN);
    const rlim_t bytes = std::strtoull(cap, nullptr, 10);
    const rlimit limit{bytes, bytes};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  }
  StartGstreamer();
  CVyr3CameraWnd view;
  view.resize(320, 240);
  view.SetResolution(8, 0);
  view.SelectDevices(kDemo, &kDemoMicrophone);
  ASSERT_TRUE(view.StartRecording(file));
  std::fprintf(stdout, "recording\n");
  std::fflush(stdout);
  ASSERT_TRUE(Until([&] { return view.State() != GraphState::Recording; }, 60000));
}

pid_t StartChild(const std::string& file, const std::string& cap) {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) environment.emplace_back(*entry);
  environment.push_back(std::string(kChildFile) + "=" + file);
  if (!cap.empty()) environment.push_back(std::string(kChildCap) + "=" + cap);
  std::vector<char*> envp;
  for (auto& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);
  std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  std::string filter = "--gtest_filter=RecordingChild.RecordsUntilStopped";
  char* argv[] = {self.data(), filter.data(), nullptr};
  pid_t pid = 0;
  return posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv, envp.data()) == 0 ? pid : -1;
}

// Waits for the child's exit; its status, or -1 after `seconds`.
int WaitChild(pid_t pid, int seconds) {
  for (int waited = 0; waited < seconds * 20; ++waited) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) return status;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  return -1;
}

std::uintmax_t SizeOf(const std::string& file) {
  std::error_code error;
  const auto size = std::filesystem::file_size(file, error);
  return error ? 0 : size;
}

// Killed mid-recording: the file is unfinished; the next start finds it
// through the journal and repairs it so that it plays.
TEST(RecordingFaults, AKilledRecordingIsRepairedAtTheNextStartAndPlays) {
  StartGstreamer();
  QTemporaryDir videoFolder, elsewhere;
  const std::string file = elsewhere.filePath("killed.avi").toStdString();
  media::RecordingJournal journal(videoFolder.path().toStdString());
  ASSERT_TRUE(journal.Add(file));
  const pid_t child = StartChild(file, "");
  ASSERT_GT(child, 0);
  // Four seconds of recording (the file grows), then SIGKILL.
  for (int i = 0; i < 200 && SizeOf(file) < 100000; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  std::this_thread::sleep_for(std::chrono::seconds(4));
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  ASSERT_TRUE(media::AviNeedsRepair(file));

  const auto repaired = journal.RepairUnfinished();
  ASSERT_EQ(repaired.size(), 1u);
  EXPECT_EQ(repaired[0], file);
  EXPECT_TRUE(journal.Entries().empty());
  const media::AviFileInfo avi = media::InspectAvi(file);
  EXPECT_TRUE(avi.finished);
  EXPECT_GT(avi.totalFrames, 60u);
  const Played played = Play(file);
  ASSERT_TRUE(played.discovered) << played.error;
  EXPECT_TRUE(played.playedToEnd) << played.error;
  EXPECT_NEAR(played.seconds, 4.0, 1.0);
  EXPECT_EQ(played.audio.rfind("audio/x-raw", 0), 0u);
  EXPECT_EQ(media::RepairAvi(file), media::RepairResult::AlreadyFine);
}

// A folder that holds 1.5 MB: the recording stops by itself when the file
// reaches it, and what was written plays.
TEST(RecordingFaults, ASizeCappedFolderStopsTheRecordingAndTheFilePlays) {
  StartGstreamer();
  QTemporaryDir folder;
  const std::string file = folder.filePath("capped.avi").toStdString();
  constexpr std::uintmax_t kCap = 1500000;
  const pid_t child = StartChild(file, std::to_string(kCap));
  ASSERT_GT(child, 0);
  const int status = WaitChild(child, 60);
  ASSERT_NE(status, -1) << "the recording did not stop by itself";
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_LE(SizeOf(file), kCap);
  const media::AviFileInfo avi = media::InspectAvi(file);
  EXPECT_TRUE(avi.finished);
  const Played played = Play(file);
  ASSERT_TRUE(played.discovered) << played.error;
  EXPECT_TRUE(played.playedToEnd) << played.error;
  EXPECT_GT(played.seconds, 0.5);
}

}  // namespace
}  // namespace orvilo::camera
