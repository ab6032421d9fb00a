#include "shell/modes/movie_mode.h"

#include "core/command_ids.h"
#include "mode_fixture.h"

namespace orvilo::shell::testing {
namespace {

class MovieModeTest : public ModeTest {
 protected:
  MovieMode mode{Context()};
};

class MovieLeave : public MovieModeTest, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(MovieLeave, GrabsTheFrameOnScreenBeforeTheMovieRewinds) {
  Give<RecordingMovieView>(children.movie);
  Give<RecordingControlBar>(children.movieBar, false);
  const Handover handover = mode.Leave(GetParam().next, GetParam().entry);
  EXPECT_EQ(log, GetParam().calls);
  EXPECT_EQ(Text(handover.picture), GetParam().handedOver);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MovieLeave,
    ::testing::Values(LeaveCase{"TabToImage", ViewMode::Image, Entry::ByTab,
                                {"movie.GrabMovieFrame", "movie.StopMovie", "movieBar.ShowPlaying(0)"}, "32x24"},
                      LeaveCase{"TabToReading", ViewMode::Reading, Entry::ByTab,
                                {"movie.GrabMovieFrame", "movie.StopMovie", "movieBar.ShowPlaying(0)"}, "32x24"},
                      LeaveCase{"TabToCamera", ViewMode::Camera, Entry::ByTab, {"movie.StopMovie", "movieBar.ShowPlaying(0)"}, "none"},
                      // The frame was picked already: no second grab of the rewound movie.
                      LeaveCase{"PickedFrame", ViewMode::Image, Entry::WithContent,
                                {"movie.StopMovie", "movieBar.ShowPlaying(0)"}, "none"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MovieModeTest, FrameToImageHandsThePickedFrameToImageMode) {
  auto* movie = Give<RecordingMovieView>(children.movie);
  host.current = ViewMode::Movie;
  mode.OnCommand(command::kFrameToImage);
  EXPECT_EQ(log, (CallLog{"movie.GrabMovieFrame", "host.SwitchMode(Image,32x24,0)"}));

  log.clear();
  movie->frameWidth = 0;
  mode.OnCommand(command::kFrameToImage);
  EXPECT_EQ(log, (CallLog{"movie.GrabMovieFrame"}));
}

TEST_F(MovieModeTest, AMovieOpenedBeforeEnteringBringsItsBarUpPlaying) {
  EXPECT_FALSE(mode.Open("/m/a.mp4").has_value());
  auto* movie = Give<RecordingMovieView>(children.movie);
  auto* bar = Give<RecordingControlBar>(children.movieBar, false);
  bar->hide();
  std::optional<Handover> opened = mode.Open("/m/a.mp4");
  ASSERT_TRUE(opened.has_value());
  mode.Enter(std::move(*opened));
  EXPECT_TRUE(HasInOrder(log, {"movie.OpenMovie(/m/a.mp4)", "host.ShowCommandBar(Movie)", "movieBar.ShowPlaying(1)",
                               "movieBar.ShowBar"}));
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(movie->geometry(), QRect(7, 85, 1024, 768));

  bar->hide();
  mode.Enter({});
  EXPECT_FALSE(bar->isVisible());
}

TEST_F(MovieModeTest, PositionTextForTheBar) {
  Give<RecordingControlBar>(children.movieBar, false);
  mode.OnPosition(3725, 7322);
  EXPECT_EQ(log, (CallLog{"movieBar.SetPosition(3725,7322,01:02:05 / 02:02:02)"}));
}

}  // namespace
}  // namespace orvilo::shell::testing
