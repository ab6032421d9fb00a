#include "reading/reading_session.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/reading/reading_doubles.h"

namespace orvilo::reading {
namespace {

using testing::Log;

class ReadingSessionTest : public ::testing::Test {
 protected:
  ReadingSessionTest() {
    session.voiceSlots[0] = {"Dasol", 0};
    session.voiceSlots[1] = {"Wenda", 1};
    session.EngineReady();
  }
  // The engine speaks the piece it was given and finishes it.
  void SpeakCurrent() {
    session.OnStatus(1);
    session.OnStatus(4);
  }
  bool Logged(const std::string& entry) const { return std::find(log.begin(), log.end(), entry) != log.end(); }

  Log log;
  testing::RecordingSpeech speech{log};
  testing::RecordingText text{log};
  testing::RecordingMusic music{log};
  ReadingSession session{speech, text, music};
};

TEST_F(ReadingSessionTest, ReadsEachSentenceInOrderWithItsHighlight) {
  text.text = "안녕하세요. 반갑습니다!\r\nHello there.";
  session.Reading(false);
  EXPECT_TRUE(text.readOnly);
  std::vector<std::string> highlighted;
  for (int i = 0; i < 10 && session.State() != ReadingState::Stopped; ++i) {
    highlighted.push_back(text.Selected());
    SpeakCurrent();
  }
  // A rest that starts with a line break has no line limit.
  EXPECT_EQ(speech.pieces, (std::vector<std::string>{"안녕하세요.", " 반갑습니다!", "\r\nHello there."}));
  EXPECT_EQ(highlighted, (std::vector<std::string>{"안녕하세요.", " 반갑습니다!", "\nHello there."}));
  EXPECT_EQ(session.State(), ReadingState::Stopped);
  EXPECT_FALSE(text.readOnly);
  EXPECT_EQ(log.front(), "ReadOnly");
  EXPECT_TRUE(Logged("Play(안녕하세요.|<speed=\"100\"> </speed>|0|0)"));
}

// The engine statuses and the user's commands, one row a step.
struct Step {
  const char* action;  // "read", "pause", "stop", "status N"
  ReadingState after;
  const char* engineCall;  // what the engine was asked, or ""
};

TEST_F(ReadingSessionTest, FollowsTheStateTable) {
  text.text = "One. Two.";
  const std::vector<Step> steps = {
      {"read", ReadingState::Ready, "Play(One.|<speed=\"100\"> </speed>|0|0)"},
      {"status 1", ReadingState::Playing, ""},
      {"pause", ReadingState::Playing, "Pause"},
      {"status 2", ReadingState::Paused, ""},
      {"pause", ReadingState::Paused, "Restart"},
      {"status 3", ReadingState::Playing, ""},
      {"pause", ReadingState::Playing, "Pause"},
      {"status 2", ReadingState::Paused, ""},
      {"read", ReadingState::Paused, "Restart"},
      {"status 3", ReadingState::Playing, ""},
      {"status 4", ReadingState::Playing, "Play( Two.|<speed=\"100\"> </speed>|0|0)"},
      {"stop", ReadingState::Stopped, "Stop"},
      {"status 4", ReadingState::Stopped, ""},
      {"read", ReadingState::Stopped, "Play(One.|<speed=\"100\"> </speed>|0|0)"},
  };
  for (const Step& step : steps) {
    log.clear();
    const std::string action = step.action;
    if (action == "read") session.Reading(false);
    if (action == "pause") session.PauseOrResume();
    if (action == "stop") session.Stop();
    if (action.rfind("status ", 0) == 0) session.OnStatus(action.back() - '0');
    EXPECT_EQ(session.State(), step.after) << action;
    if (*step.engineCall) {
      EXPECT_TRUE(Logged(step.engineCall)) << action;
    }
    const bool engineCalled = std::any_of(log.begin(), log.end(), [](const std::string& e) {
      return e.rfind("Play", 0) == 0 || e == "Pause" || e == "Restart" || e == "Stop";
    });
    EXPECT_EQ(engineCalled, *step.engineCall != '\0') << action;
  }
}

// The next / previous keys while reading: each step speaks and highlights
// the piece it lands on; the replaced speech's end does not move on again.
TEST_F(ReadingSessionTest, StepsToTheNextAndPreviousPieceWhileReading) {
  text.text = "One. Two. Three.";
  session.StepPiece(1);  // not reading: nothing
  EXPECT_TRUE(speech.pieces.empty());
  session.Reading(false);
  session.OnStatus(1);
  const std::pair<int, const char*> steps[] = {
      {1, " Two."}, {1, " Three."}, {1, " Three."}, {-1, " Two."}, {-1, "One."}, {-1, "One."}, {1, " Two."},
  };
  for (const auto& [direction, piece] : steps) {
    session.StepPiece(direction);
    EXPECT_EQ(speech.pieces.back(), piece) << direction;
    EXPECT_EQ(text.Selected(), piece) << direction;
  }
  // Past the last piece nothing new was spoken.
  EXPECT_EQ(speech.pieces.size(), 7u);
  // The replaced speeches finish; only the last one's end moves reading on.
  for (int i = 0; i < 6; ++i) session.OnStatus(4);
  EXPECT_EQ(speech.pieces.size(), 7u);
  session.OnStatus(1);
  session.OnStatus(4);
  EXPECT_EQ(speech.pieces.back(), " Three.");
}

TEST_F(ReadingSessionTest, StopDuringSpeechEndsReadingWhenTheEngineFinishes) {
  text.text = "One. Two. Three.";
  session.Reading(false);
  session.OnStatus(1);
  session.Stop();
  EXPECT_TRUE(text.readOnly);  // until the engine confirms
  session.OnStatus(4);
  EXPECT_EQ(speech.pieces.size(), 1u);
  EXPECT_FALSE(text.readOnly);
  EXPECT_EQ(text.selectedStart, -1);
}

TEST_F(ReadingSessionTest, StopBeforeTheFirstSoundStopsTheSpeech) {
  text.text = "One. Two.";
  session.Reading(false);
  session.Stop();
  EXPECT_TRUE(Logged("Stop"));
  session.OnStatus(4);
  EXPECT_EQ(speech.pieces.size(), 1u);
  EXPECT_EQ(session.State(), ReadingState::Stopped);
}

TEST_F(ReadingSessionTest, RepeatReadsTheSameSelectionAgain) {
  text.text = "Skip. One. Two. After.";
  text.selection = TextSelection{6, "One. Two."};
  session.ToggleRepeat();
  session.Reading(false);
  text.selection.reset();  // what the user selects later does not matter
  std::vector<std::string> highlighted;
  for (int i = 0; i < 4; ++i) {
    highlighted.push_back(text.Selected());
    SpeakCurrent();
  }
  EXPECT_EQ(speech.pieces, (std::vector<std::string>{"One.", " Two.", "One.", " Two.", "One."}));
  EXPECT_EQ(highlighted, (std::vector<std::string>{"One.", " Two.", "One.", " Two."}));
  session.ToggleRepeat();
  SpeakCurrent();
  SpeakCurrent();
  EXPECT_EQ(session.State(), ReadingState::Stopped);
  EXPECT_FALSE(text.readOnly);
}

// Reading twice quickly: the engine replaces the first speech, whose
// finished status must not move the reading on.
TEST_F(ReadingSessionTest, ReadingTwiceQuicklyStartsOnceOver) {
  text.text = "One. Two.";
  session.Reading(false);
  session.Reading(false);
  session.OnStatus(4);  // the replaced speech
  session.OnStatus(1);
  EXPECT_EQ(speech.pieces, (std::vector<std::string>{"One.", "One."}));
  session.OnStatus(4);
  EXPECT_EQ(speech.pieces, (std::vector<std::string>{"One.", "One.", " Two."}));
}

TEST_F(ReadingSessionTest, VoiceSlotFollowsTheLanguageAndStaysWithoutOne) {
  text.text = "One. Two. Three.";
  session.Reading(false);
  session.OnStatus(1);
  session.language = 1;  // switched while speaking: the next piece is English
  session.OnStatus(4);
  session.voiceSlots[1] = {};
  session.language = 0;
  session.voiceSlots[0] = {};
  session.OnStatus(4);  // no slot for Korean any more: the last slot stays
  EXPECT_EQ(speech.speakers, (std::vector<int>{0, 1, 1}));
}

TEST_F(ReadingSessionTest, RefusedPieceEndsReading) {
  text.text = "One. Two.";
  speech.accepts = false;
  session.Reading(false);
  EXPECT_EQ(session.State(), ReadingState::Stopped);
  EXPECT_TRUE(session.PlayRefused());
  EXPECT_FALSE(text.readOnly);
}

TEST_F(ReadingSessionTest, NothingHappensWithoutEngineOrText) {
  ReadingSession idle{speech, text, music};
  text.text = "One.";
  idle.Reading(false);
  text.text.clear();
  session.Reading(false);
  EXPECT_TRUE(speech.pieces.empty());
  EXPECT_FALSE(text.readOnly);
}

TEST_F(ReadingSessionTest, MusicRunsWithTheSpeechAndLoops) {
  text.text = "One. Two.";
  session.SetBackgroundMusic("/music/song.mp3", true);
  session.Reading(false);
  EXPECT_EQ(session.Music(), BgmState::Loaded);
  session.OnStatus(1);
  EXPECT_EQ(session.Music(), BgmState::Running);
  session.OnStatus(2);
  EXPECT_EQ(session.Music(), BgmState::Paused);
  session.OnStatus(3);
  EXPECT_EQ(session.Music(), BgmState::Running);
  log.clear();
  session.OnMusicEnded();
  EXPECT_EQ(log, (Log{"Music.RewindAndStop", "Music.Run"}));
  session.OnStatus(4);
  SpeakCurrent();
  EXPECT_EQ(session.Music(), BgmState::Stopped);
  log.clear();
  session.OnMusicEnded();  // a late end after the reading stopped it
  EXPECT_TRUE(log.empty());
}

TEST_F(ReadingSessionTest, MusicThatDoesNotPlayIsTriedOnceAndReadingGoesOn) {
  text.text = "One. Two. Three.";
  music.loads = false;
  session.SetBackgroundMusic("/music/broken.mp3", true);
  session.Reading(false);
  SpeakCurrent();
  SpeakCurrent();
  EXPECT_EQ(std::count(log.begin(), log.end(), "Music.Load(/music/broken.mp3)"), 1);
  EXPECT_TRUE(session.MusicFailed());
  EXPECT_EQ(session.Music(), BgmState::None);
  EXPECT_EQ(speech.pieces.size(), 3u);
  session.SetBackgroundMusic("/music/gone.mp3", false);  // a file that is not there clears the music
  EXPECT_EQ(session.BackgroundMusic(), "");
  EXPECT_FALSE(session.MusicFailed());
}

// A piece the control does not hold where expected is placed by counting.
TEST_F(ReadingSessionTest, HighlightFallsBackToCountedCharacters) {
  text.text = "Alpha. Beta.";
  text.selection = TextSelection{0, "Alpha. Beta."};
  session.Reading(false);
  text.text = "XXXXXXXXXXXXXXXX";  // the control changed under the reading
  SpeakCurrent();
  EXPECT_EQ(text.selectedStart, 6);
  EXPECT_EQ(text.selectedEnd, 12);
}

TEST_F(ReadingSessionTest, HundredThousandCharactersAreReadPieceByPiece) {
  std::string big;
  while (big.size() < 100000) big += "가나다라 마바사. ";
  text.text = big;
  session.Reading(false);
  for (int i = 0; i < 50; ++i) SpeakCurrent();
  EXPECT_EQ(speech.pieces.size(), 51u);
  EXPECT_EQ(text.Selected(), " 가나다라 마바사.");
  session.Stop();
  session.OnStatus(4);
  EXPECT_FALSE(text.readOnly);
}

TEST(SpeedLabel, HasTheTableValues) {
  EXPECT_EQ(SpeedLabel(0), " 50%");
  EXPECT_EQ(SpeedLabel(5), "100%");
  EXPECT_EQ(SpeedLabel(10), "200%");
  EXPECT_EQ(SpeedLabel(11), "");
  EXPECT_EQ(SpeedMarkup(8), "<speed=\"160\"> </speed>");
}

}  // namespace
}  // namespace orvilo::reading
