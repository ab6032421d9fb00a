#include "movie/movie_window.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "core/command_ids.h"
#include "movie/movie_player.h"
#include "movie/movie_timing.h"
#include "support/movie_clips.h"

namespace orvilo::movie {
namespace {

using testing::ClipSpec;

constexpr double kSecond = static_cast<double>(kNanosecondsPerSecond);

// The main window as the movie view sees it: every message it gets, in order.
class RecordingOwner : public win::Window {
 public:
  std::vector<win::Msg> messages;
  int Count(std::uint32_t id) const {
    return static_cast<int>(std::count_if(messages.begin(), messages.end(), [id](const win::Msg& m) { return m.id == id; }));
  }
  const win::Msg* Last(std::uint32_t id) const {
    for (auto it = messages.rbegin(); it != messages.rend(); ++it) {
      if (it->id == id) return &*it;
    }
    return nullptr;
  }

 protected:
  std::intptr_t OnMessage(const win::Msg& message) override {
    messages.push_back(message);
    return 0;
  }
};

double Seconds(std::int64_t nanoseconds) { return static_cast<double>(nanoseconds) / kSecond; }

class MovieWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::StartGstreamerForTests();
    owner_.resize(640, 480);
    ASSERT_TRUE(movie_.Create(&owner_, "movie", 3000, QRect(0, 0, 400, 300)));
  }

  // Waits for `done`, running the window's messages and timers.
  static bool WaitFor(const std::function<bool()>& done, int milliseconds = 5000) {
    return QTest::qWaitFor(done, milliseconds);
  }
  bool WaitForPosition(double seconds, double tolerance = 0.5) {
    return WaitFor([&] { return std::abs(Seconds(movie_.PositionNs()) - seconds) <= tolerance; });
  }
  // The last position report (seconds, duration), after the queue has run.
  std::pair<int, int> LastReport() {
    QCoreApplication::processEvents();
    const win::Msg* report = owner_.Last(message::kMoviePosition);
    if (report == nullptr) return {-1, -1};
    return {static_cast<int>(report->wParam), static_cast<int>(report->lParam)};
  }

  RecordingOwner owner_;
  CVyr3MovieWnd movie_;
};

// --- Every container --------------------------------------------------------

class MovieFormatTest : public MovieWindowTest, public ::testing::WithParamInterface<ClipSpec> {
 protected:
  void SetUp() override {
    MovieWindowTest::SetUp();
    const ClipSpec& spec = GetParam();
    if (spec.playbackElement[0] != '\0' && !testing::HasElement(spec.playbackElement)) {
      GTEST_SKIP() << spec.container << " needs the element " << spec.playbackElement << ", not installed here";
    }
    std::string error;
    path_ = testing::MakeClip(spec, &error);
    ASSERT_FALSE(path_.empty()) << error;
    ASSERT_TRUE(movie_.OpenMovie(path_));
  }
  std::string path_;
};

TEST_P(MovieFormatTest, OpensPlaysAndReportsItsLength) {
  const ClipSpec& spec = GetParam();
  EXPECT_EQ(movie_.State(), PlaybackState::Playing);
  EXPECT_EQ(movie_.MoviePath(), path_);
  // The first report: the start and the length in whole seconds.
  QCoreApplication::processEvents();
  const auto first = std::find_if(owner_.messages.begin(), owner_.messages.end(),
                                  [](const win::Msg& m) { return m.id == message::kMoviePosition; });
  ASSERT_NE(first, owner_.messages.end());
  EXPECT_EQ(first->wParam, 0u);
  EXPECT_EQ(first->lParam, spec.seconds);
  // It plays: the reports move on.
  ASSERT_TRUE(WaitFor([&] { return LastReport().first >= 1; }));
  EXPECT_EQ(LastReport().second, spec.seconds);
  // The frame on screen, at the movie's own size.
  const gdi::PackedDib frame = movie_.GrabMovieFrame();
  ASSERT_FALSE(frame.IsEmpty());
  EXPECT_EQ(frame.width(), spec.width);
  EXPECT_EQ(frame.height(), spec.height);
  EXPECT_EQ(frame.bitCount(), 32);
}

TEST_P(MovieFormatTest, SeeksByPercentAndSkipsTenSecondsWithinTheMovie) {
  const int duration = GetParam().seconds;
  movie_.SeekPercent(50);
  EXPECT_EQ(LastReport(), std::make_pair(duration / 2, duration));
  ASSERT_TRUE(WaitForPosition(duration / 2)) << Seconds(movie_.PositionNs());

  movie_.TogglePauseMovie();
  ASSERT_EQ(movie_.State(), PlaybackState::Paused);
  movie_.SkipBack();
  ASSERT_TRUE(WaitForPosition(duration / 2 - 10.0)) << Seconds(movie_.PositionNs());
  movie_.SkipForward();
  ASSERT_TRUE(WaitForPosition(duration / 2)) << Seconds(movie_.PositionNs());
  EXPECT_EQ(movie_.State(), PlaybackState::Paused);  // skips leave the state alone

  // Within the first ten seconds, back goes to the start.
  movie_.SeekPercent(5);
  movie_.SkipBack();
  EXPECT_TRUE(WaitForPosition(0.0, 0.25)) << Seconds(movie_.PositionNs());
  EXPECT_EQ(movie_.State(), PlaybackState::Paused);
}

TEST_P(MovieFormatTest, ForwardSkipIntoTheLastTenSecondsStopsAtTheStart) {
  const int duration = GetParam().seconds;
  movie_.SeekPercent(95);
  ASSERT_TRUE(WaitForPosition(duration * 95 / 100)) << Seconds(movie_.PositionNs());
  const int endedBefore = owner_.Count(message::kMovieEnded);
  movie_.SkipForward();
  EXPECT_EQ(movie_.State(), PlaybackState::Stopped);
  EXPECT_EQ(owner_.Count(message::kMovieEnded), endedBefore + 1);
  EXPECT_EQ(LastReport(), std::make_pair(0, duration));
  EXPECT_TRUE(WaitForPosition(0.0, 0.25)) << Seconds(movie_.PositionNs());
}

TEST_P(MovieFormatTest, EndOfStreamStopsRewindsAndTellsTheOwner) {
  const int duration = GetParam().seconds;
  movie_.SeekPercent(100 - 200 / duration);  // about two seconds before the end
  ASSERT_TRUE(WaitFor([&] { return owner_.Count(message::kMovieEnded) == 1; }, 10000));
  EXPECT_EQ(movie_.State(), PlaybackState::Stopped);
  EXPECT_EQ(LastReport(), std::make_pair(0, duration));
  EXPECT_TRUE(WaitForPosition(0.0, 0.25)) << Seconds(movie_.PositionNs());
  // A stopped movie plays again from the start.
  movie_.Play();
  EXPECT_EQ(movie_.State(), PlaybackState::Playing);
  EXPECT_TRUE(WaitFor([&] { return LastReport().first >= 1; }));
}

const ClipSpec kClips[] = {
    {"avi", 160, 120, 95, ""},
    {"mp4", 176, 144, 95, ""},
    {"mpg", 160, 128, 22, ""},  // MPEG needs 25 frames a second: kept shorter
    {"wmv", 192, 144, 95, "asfdemux"},
};
INSTANTIATE_TEST_SUITE_P(Containers, MovieFormatTest, ::testing::ValuesIn(kClips),
                         [](const auto& info) { return std::string(info.param.container); });

// --- One movie, the rest of the behaviour --------------------------------------

class MovieAviTest : public MovieWindowTest {
 protected:
  void SetUp() override {
    MovieWindowTest::SetUp();
    std::string error;
    path_ = testing::MakeClip(kClips[0], &error);
    ASSERT_FALSE(path_.empty()) << error;
  }
  std::string path_;
};

TEST_F(MovieAviTest, PauseHoldsThePositionAndStopRewinds) {
  ASSERT_TRUE(movie_.OpenMovie(path_));
  movie_.SeekPercent(20);  // 19 s
  ASSERT_TRUE(WaitForPosition(19.0));
  movie_.TogglePauseMovie();
  EXPECT_EQ(movie_.State(), PlaybackState::Paused);
  const double held = Seconds(movie_.PositionNs());
  QTest::qWait(400);
  EXPECT_NEAR(Seconds(movie_.PositionNs()), held, 0.05);
  movie_.TogglePauseMovie();
  EXPECT_EQ(movie_.State(), PlaybackState::Playing);
  ASSERT_TRUE(WaitFor([&] { return Seconds(movie_.PositionNs()) > held + 0.3; }));

  movie_.StopMovie();
  EXPECT_EQ(movie_.State(), PlaybackState::Stopped);
  EXPECT_EQ(LastReport(), std::make_pair(0, 95));
  EXPECT_TRUE(WaitForPosition(0.0, 0.25));
  movie_.TogglePauseMovie();  // nothing to pause
  EXPECT_EQ(movie_.State(), PlaybackState::Stopped);
}

TEST_F(MovieAviTest, SpeedEntriesChangeTheRateAndUnknownOnesPlayAtNormalSpeed) {
  ASSERT_TRUE(movie_.OpenMovie(path_));
  ASSERT_TRUE(WaitFor([&] { return movie_.PositionNs() > 0; }));
  movie_.SetSpeed(10);
  EXPECT_DOUBLE_EQ(movie_.Rate(), 2.0);
  // Two seconds of movie a second (measured loosely: the machines are shared).
  const double from = Seconds(movie_.PositionNs());
  QElapsedTimer clock;
  clock.start();
  QTest::qWait(1500);
  const double advanced = Seconds(movie_.PositionNs()) - from;
  const double wall = static_cast<double>(clock.elapsed()) / 1000.0;
  EXPECT_GT(advanced, 1.5 * wall) << advanced << " s of movie in " << wall << " s";

  movie_.SetSpeed(0);
  EXPECT_DOUBLE_EQ(movie_.Rate(), 0.5);
  movie_.SetSpeed(kNormalSpeedEntry);
  EXPECT_DOUBLE_EQ(movie_.Rate(), 1.0);
  movie_.SetSpeed(3);
  movie_.SetSpeed(42);
  EXPECT_DOUBLE_EQ(movie_.Rate(), 1.0);
  // The rate survives a seek.
  movie_.SetSpeed(7);
  movie_.SeekPercent(50);
  EXPECT_DOUBLE_EQ(movie_.Rate(), 1.4);
}

TEST_F(MovieAviTest, PictureIsLetterboxedOrStretched) {
  ASSERT_TRUE(movie_.OpenMovie(path_));
  movie_.TogglePauseMovie();
  movie_.resize(400, 100);  // wider than the 4:3 movie
  ASSERT_TRUE(WaitFor([&] { return !movie_.GrabMovieFrame().IsEmpty(); }));
  const QRgb background = 0x393939;
  auto pixel = [&](int x, int y) { return movie_.grab().toImage().pixel(x, y) & 0xFFFFFF; };

  EXPECT_TRUE(movie_.KeepsAspect());
  EXPECT_EQ(pixel(20, 50), background);   // the bar on the left
  EXPECT_EQ(pixel(380, 50), background);  // and on the right
  EXPECT_NE(pixel(140, 20), background);  // the picture, from x = 133

  movie_.SetMovieFit(0);
  EXPECT_FALSE(movie_.KeepsAspect());
  EXPECT_NE(pixel(20, 50), background);
  EXPECT_NE(pixel(380, 50), background);

  movie_.SetMovieFit(2);  // toggles back
  EXPECT_TRUE(movie_.KeepsAspect());
  EXPECT_EQ(pixel(20, 50), background);
}

// The file is cut short while the movie plays, as when the USB stick it
// plays from is pulled: the pipeline's threads report it, the view handles it
// on its own thread: stopped at the start, the owner told, nothing crashes.
TEST_F(MovieAviTest, FileCutShortWhilePlayingStopsTheMovieAndTellsTheOwner) {
  const std::string copy = (std::filesystem::path(path_).parent_path() / "cut-short.avi").string();
  std::filesystem::copy_file(path_, copy, std::filesystem::copy_options::overwrite_existing);
  ASSERT_TRUE(movie_.OpenMovie(copy));
  ASSERT_TRUE(WaitFor([&] { return LastReport().first >= 1; }));
  movie_.SeekPercent(20);  // 19 s
  std::filesystem::resize_file(copy, std::filesystem::file_size(copy) / 4);  // about 24 s left
  ASSERT_TRUE(WaitFor([&] { return owner_.Count(message::kMovieEnded) == 1; }, 15000))
      << "position " << Seconds(movie_.PositionNs());
  EXPECT_EQ(movie_.State(), PlaybackState::Stopped);
  EXPECT_EQ(LastReport().first, 0);
}

// An error reported by a streaming thread (here: one made up, posted from a
// thread of the test's own) is handled on the view's thread like an end.
TEST_F(MovieAviTest, ErrorFromAStreamingThreadStopsTheMovieAndTellsTheOwner) {
  ASSERT_TRUE(movie_.OpenMovie(path_));
  ASSERT_TRUE(WaitFor([&] { return LastReport().first >= 1; }));
  GstElement* pipeline = movie_.Player()->Pipeline();
  std::thread([pipeline] {
    GError* error = g_error_new_literal(GST_STREAM_ERROR, GST_STREAM_ERROR_DECODE, "damaged frame");
    gst_element_post_message(pipeline, gst_message_new_error(GST_OBJECT(pipeline), error, nullptr));
    g_error_free(error);
  }).join();
  EXPECT_EQ(owner_.Count(message::kMovieEnded), 0) << "nothing is handled on the reporting thread";
  ASSERT_TRUE(WaitFor([&] { return owner_.Count(message::kMovieEnded) == 1; }));
  EXPECT_EQ(movie_.State(), PlaybackState::Stopped);
  EXPECT_EQ(LastReport(), std::make_pair(0, 95));
  // Play builds the pipeline up again and starts from the beginning.
  movie_.Play();
  EXPECT_EQ(movie_.State(), PlaybackState::Playing);
  EXPECT_TRUE(WaitFor([&] { return LastReport().first >= 1; }));
  EXPECT_EQ(owner_.Count(message::kMovieEnded), 1);
}

TEST_F(MovieAviTest, OpeningAnotherMovieReleasesTheFirst) {
  ASSERT_TRUE(movie_.OpenMovie(path_));
  ASSERT_TRUE(movie_.OpenMovie(path_));  // the same file again: starts afresh
  EXPECT_EQ(movie_.State(), PlaybackState::Playing);
  EXPECT_FALSE(movie_.OpenMovie(path_ + ".missing"));
  EXPECT_EQ(movie_.State(), PlaybackState::None);
  EXPECT_EQ(movie_.MoviePath(), "");
  EXPECT_TRUE(movie_.GrabMovieFrame().IsEmpty());
}

// --- Files that are not movies, and no movie at all ---------------------------

TEST_F(MovieWindowTest, FilesThatAreNotMoviesAreRefusedAndLeaveTheViewEmpty) {
  const std::filesystem::path folder = std::filesystem::current_path() / "movie-clips";
  std::filesystem::create_directories(folder);
  const std::string text = (folder / "not-a-movie.avi").string();
  std::ofstream(text) << "These are lesson notes, not a movie.\n";
  const std::string noise = (folder / "noise.mp4").string();
  {
    std::ofstream out(noise, std::ios::binary);
    for (int i = 0; i < 4096; ++i) out.put(static_cast<char>((i * 7919) >> 3));
  }
  const std::string empty = (folder / "empty.wmv").string();
  std::ofstream(empty).close();

  for (const std::string& path : {text, noise, empty, std::string(), (folder / "missing.avi").string(),
                                  folder.string()}) {
    EXPECT_FALSE(movie_.OpenMovie(path)) << path;
    EXPECT_EQ(movie_.State(), PlaybackState::None) << path;
    EXPECT_TRUE(movie_.GrabMovieFrame().IsEmpty()) << path;
  }
  QCoreApplication::processEvents();
  EXPECT_EQ(owner_.Count(message::kMoviePosition), 0);
  EXPECT_EQ(owner_.Count(message::kMovieEnded), 0);
  // The view paints its empty background.
  EXPECT_EQ(movie_.grab().toImage().pixel(200, 150) & 0xFFFFFF, 0x393939u);
}

TEST_F(MovieWindowTest, OperationsWithoutAMovieDoNothing) {
  movie_.Play();
  movie_.TogglePauseMovie();
  movie_.StopMovie();
  movie_.SkipBack();
  movie_.SkipForward();
  movie_.SeekPercent(50);
  movie_.SetSpeed(10);
  EXPECT_EQ(movie_.State(), PlaybackState::None);
  EXPECT_TRUE(movie_.GrabMovieFrame().IsEmpty());
  QCoreApplication::processEvents();
  EXPECT_TRUE(owner_.messages.empty());
}

TEST_F(MovieWindowTest, PointerEnteringTheBottomBandCallsUpTheControlBarOncePerEntry) {
  movie_.resize(1024, 768);
  auto move = [&](int x, int y) {
    QMouseEvent event(QEvent::MouseMove, QPointF(x, y), movie_.mapToGlobal(QPointF(x, y)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&movie_, &event);
  };
  move(512, 300);
  EXPECT_EQ(owner_.Count(message::kPointerActivity), 0);
  move(512, 750);
  EXPECT_EQ(owner_.Count(message::kPointerActivity), 1);
  EXPECT_TRUE(movie_.HasCapture());
  move(600, 760);  // still inside: once per entry
  EXPECT_EQ(owner_.Count(message::kPointerActivity), 1);
  move(100, 760);  // beside the band
  EXPECT_FALSE(movie_.HasCapture());
  move(512, 740);
  EXPECT_EQ(owner_.Count(message::kPointerActivity), 2);
}

}  // namespace
}  // namespace orvilo::movie
