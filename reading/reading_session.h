// Reading a text aloud piece by piece: the reading panel's state machine,
// free of any toolkit. It cuts the text with NextSentence, highlights each
// piece in the text control while it is spoken, follows the engine's
// statuses, repeats, stops, pauses and resumes, and runs the background
// music along with the speech.
//
// Threads: one. The engine's statuses arrive through OnStatus on the same
// thread as the user's commands (the panel's message queue).
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "reading/reading_ports.h"
#include "reading/voice_slots.h"

namespace orvilo::reading {

enum class ReadingState { None = 0, Ready = 1, Playing = 2, Paused = 3, Stopped = 4 };
enum class BgmState { None = 0, Loaded = 1, Running = 2, Paused = 3, Stopped = 4 };

inline constexpr int kSpeedCount = 11;
inline constexpr int kDefaultSpeedIndex = 5;
inline constexpr std::array<int, kSpeedCount> kSpeedPercent = {50, 60, 70, 80, 90, 100, 120, 140, 160, 180, 200};
// " 50%" .. "200%"; empty outside 0..10.
std::string SpeedLabel(int speedIndex);
// The engine markup of a speed: <speed="100"> </speed>.
std::string SpeedMarkup(int speedIndex);

// Control characters of UTF-8 text as the text control holds it: UTF-16,
// a CR-LF pair one "\n"; a lone CR (a piece cut at its line break) stands
// for the pair, the lone LF that follows it is dropped.
std::u16string ToControlCharacters(std::string_view text);

class ReadingSession {
 public:
  ReadingSession(Speech& speech, ReadingText& text, MusicPlayer& music);

  // The engine is up: None -> Ready.
  void EngineReady();
  ReadingState State() const { return state_; }

  int language = 0;
  int speedIndex = kDefaultSpeedIndex;
  int voiceSlot = 0;
  VoiceSlots voiceSlots;
  bool repeat = false;
  bool listView = false;  // the panel shows the voice-book list
  // The end of the text in the list view: the voice-book sequence takes
  // over. Without one, reading ends there.
  std::function<void()> onListEnd;

  // The user's commands.
  void Reading(bool repeatRun);
  void PauseOrResume();
  void Stop();
  void ToggleRepeat() { repeat = !repeat; }
  // While reading (playing or paused): speaks the piece after the one being
  // spoken (direction > 0), or the one before it (the same piece again when
  // it is the first). Nothing past the last piece, nor when not reading.
  void StepPiece(int direction);

  // Status 1..4 of the engine.
  void OnStatus(int status);

  // Background music. `exists` says whether a named file is there.
  void SetBackgroundMusic(const std::string& path, bool exists);
  const std::string& BackgroundMusic() const { return bgmPath_; }
  BgmState Music() const { return bgm_; }
  // The file was named but could not be played; cleared by the next SetBackgroundMusic.
  bool MusicFailed() const { return musicFailed_; }
  // The music reached its end: it starts again (it loops).
  void OnMusicEnded();

  // The engine refused the last piece (no voice for the language, no
  // database loaded): reading ended there. Cleared by the next Reading.
  bool PlayRefused() const { return playRefused_; }

  // The text control writable again and without the focus the reading gave
  // it, the background music rewound and stopped: a reading is over (or, in
  // the list view, there is no book).
  void EndReading();

  // Stops what plays, before the engine goes away.
  void Shutdown();

  // The piece being spoken, for the panel and tests.
  const std::string& Text() const { return text_; }
  int PieceStart() const { return pieceStart_; }
  int PieceEnd() const { return pieceEnd_; }
  int SearchPos() const { return searchPos_; }
  int SelectionBase() const { return selectionBase_; }

 private:
  void SpeakPiece();
  void Highlight(std::string_view piece);
  void LoadMusic();
  void RunMusic();
  void ToggleMusic();
  void RewindAndStopMusic();
  void ReleaseMusic();

  Speech& speech_;
  ReadingText& control_;
  MusicPlayer& music_;

  ReadingState state_ = ReadingState::None;
  std::string text_;
  int pieceStart_ = 0;
  int pieceEnd_ = 0;
  int searchPos_ = 0;
  int selectionBase_ = 0;
  // Speeches handed to the engine whose finished status has not come yet:
  // a status of a speech that a newer one replaced is not the newer one's.
  int unfinished_ = 0;
  // Where each piece of this run began, and where the highlight search
  // stood before it, so that a step back finds the piece again.
  struct SpokenPiece {
    int start;
    int searchPos;
  };
  std::vector<SpokenPiece> spoken_;

  std::string bgmPath_;
  BgmState bgm_ = BgmState::None;
  bool musicFailed_ = false;
  bool playRefused_ = false;
};

}  // namespace orvilo::reading
