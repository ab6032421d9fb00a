#include "movie/movie_player.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "support/movie_clips.h"

namespace orvilo::movie {
namespace {

using namespace std::chrono_literals;

template <typename Done>
bool WaitUntil(Done done, std::chrono::milliseconds limit = 5000ms) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(5ms);
  }
  return true;
}

class MoviePlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    path_ = testing::MakeClip({"avi", 160, 120, 95, ""}, &error);
    ASSERT_FALSE(path_.empty()) << error;
    MoviePlayer::Callbacks callbacks;
    callbacks.frameReady = [this] { ++frameCalls_; };
    callbacks.busNotify = [this] {
      notifyThread_ = std::this_thread::get_id();
      ++busCalls_;
    };
    player_ = MoviePlayer::Open(path_, std::move(callbacks), &error);
    ASSERT_TRUE(player_) << error;
  }

  std::string path_;
  std::atomic<int> frameCalls_{0};
  std::atomic<int> busCalls_{0};
  std::thread::id notifyThread_;
  std::unique_ptr<MoviePlayer> player_;
};

TEST_F(MoviePlayerTest, NewestFrameWinsAndTheOwnerIsCalledOncePerTakenFrame) {
  EXPECT_TRUE(player_->HasVideo());
  EXPECT_EQ(frameCalls_.load(), 1);  // the first frame, made while opening
  ASSERT_TRUE(player_->Play());
  std::this_thread::sleep_for(1000ms);  // five frames a second arrive meanwhile
  EXPECT_EQ(frameCalls_.load(), 1) << "no call until the owner takes the frame";
  const std::int64_t shown = player_->Position();
  player_->FrameTaken();
  ASSERT_TRUE(WaitUntil([&] { return frameCalls_.load() == 2; }));
  const HeldFrame frame = player_->LatestFrame();
  ASSERT_FALSE(frame.IsEmpty());
  EXPECT_EQ(frame.width(), 160);
  EXPECT_EQ(frame.height(), 120);
  EXPECT_GE(frame.stride(), 160 * 4);
  EXPECT_GT(shown, 500'000'000) << "the frames kept coming while none was taken";
}

TEST_F(MoviePlayerTest, ErrorsFromAStreamingThreadAreKeptForTheOwner) {
  ASSERT_TRUE(player_->Play());
  std::thread streaming([&] {
    GError* error = g_error_new_literal(GST_STREAM_ERROR, GST_STREAM_ERROR_DECODE, "damaged frame");
    gst_element_post_message(player_->Pipeline(),
                             gst_message_new_error(GST_OBJECT(player_->Pipeline()), error, "at 12 s"));
    g_error_free(error);
  });
  const std::thread::id streamingId = streaming.get_id();
  streaming.join();
  EXPECT_EQ(busCalls_.load(), 1);
  EXPECT_EQ(notifyThread_, streamingId);  // told on the thread that reported it
  const std::vector<MoviePlayer::Event> events = player_->TakeEvents();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, MoviePlayer::Event::Kind::Error);
  EXPECT_NE(events[0].text.find("damaged frame"), std::string::npos);
  EXPECT_NE(events[0].text.find("at 12 s"), std::string::npos);
  EXPECT_TRUE(player_->TakeEvents().empty());
  // Halted, it starts again from the beginning.
  player_->Halt();
  ASSERT_TRUE(player_->Play());
  EXPECT_TRUE(WaitUntil([&] { return player_->Position() > 0; }));
}

TEST_F(MoviePlayerTest, SeeksKeepTheRate) {
  ASSERT_TRUE(player_->SetRate(1.6));
  ASSERT_TRUE(player_->Seek(30'000'000'000));
  EXPECT_DOUBLE_EQ(player_->Rate(), 1.6);
  ASSERT_TRUE(player_->Rewind());
  EXPECT_DOUBLE_EQ(player_->Rate(), 1.6);
  EXPECT_FALSE(player_->SetRate(0.0));
  EXPECT_FALSE(player_->SetRate(-1.0));
  EXPECT_DOUBLE_EQ(player_->Rate(), 1.6);
}

}  // namespace
}  // namespace orvilo::movie
