#include "reading/reading_session.h"

#include <algorithm>
#include <cstdio>

#include "platform/text/unicode.h"
#include "reading/next_sentence.h"

namespace orvilo::reading {
namespace {

// Letters and digits of any script are word characters; blanks and
// punctuation, Western and East Asian, are not.
bool IsWordCharacter(char16_t c) {
  if (c < 0x80) return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
  if (c == 0x00A0 || (c >= 0x2000 && c <= 0x206F) || (c >= 0x3000 && c <= 0x303F)) return false;
  if ((c >= 0xFF00 && c <= 0xFF0F) || (c >= 0xFF1A && c <= 0xFF20)) return false;
  return true;
}

// A match of [start, end) does not cut a word in two.
bool IsWholeWord(const std::u16string& text, std::size_t start, std::size_t end) {
  const bool startOk = start == 0 || end == start || !IsWordCharacter(text[start - 1]) || !IsWordCharacter(text[start]);
  const bool endOk = end >= text.size() || end == start || !IsWordCharacter(text[end]) || !IsWordCharacter(text[end - 1]);
  return startOk && endOk;
}

int CrLfPairs(std::string_view text) {
  int pairs = 0;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '\r' && text[i + 1] == '\n') ++pairs;
  }
  return pairs;
}

int Wide(std::string_view text) { return static_cast<int>(text::Utf8ToUtf16(text).size()); }

}  // namespace

std::string SpeedLabel(int speedIndex) {
  if (speedIndex < 0 || speedIndex >= kSpeedCount) return {};
  char label[8];
  std::snprintf(label, sizeof label, "%3d%%", kSpeedPercent[speedIndex]);
  return label;
}

std::string SpeedMarkup(int speedIndex) {
  const int percent = kSpeedPercent[std::clamp(speedIndex, 0, kSpeedCount - 1)];
  return "<speed=\"" + std::to_string(percent) + "\"> </speed>";
}

std::u16string ToControlCharacters(std::string_view text) {
  std::string joined;
  joined.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      joined.push_back('\n');
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (text[i] == '\n' && i == 0) {
      // the second half of a line break whose CR ended the previous piece
    } else {
      joined.push_back(text[i]);
    }
  }
  return text::Utf8ToUtf16(joined);
}

ReadingSession::ReadingSession(Speech& speech, ReadingText& text, MusicPlayer& music)
    : speech_(speech), control_(text), music_(music) {}

void ReadingSession::EngineReady() {
  if (state_ == ReadingState::None) state_ = ReadingState::Ready;
}

void ReadingSession::Reading(bool repeatRun) {
  if (bgm_ == BgmState::None && !bgmPath_.empty()) LoadMusic();
  if (state_ == ReadingState::None || state_ == ReadingState::Playing) return;
  if (state_ == ReadingState::Paused) {
    speech_.Restart();
    return;
  }
  pieceStart_ = 0;
  searchPos_ = 0;
  playRefused_ = false;
  if (!repeatRun) {
    if (const auto selection = control_.Selection()) {
      text_ = selection->text;
      searchPos_ = selectionBase_ = selection->start;
    } else {
      text_ = control_.WholeText();
      selectionBase_ = 0;
    }
  } else {
    // Read the same text again from where it begins in the control.
    searchPos_ = selectionBase_;
  }
  if (text_.empty()) return;
  spoken_.clear();
  control_.SetReadOnly(true);
  SpeakPiece();
}

void ReadingSession::StepPiece(int direction) {
  if ((state_ != ReadingState::Playing && state_ != ReadingState::Paused) || spoken_.empty() || direction == 0) return;
  if (direction > 0) {
    if (pieceEnd_ >= static_cast<int>(text_.size())) return;
    pieceStart_ = pieceEnd_;
  } else {
    if (spoken_.size() > 1) spoken_.pop_back();
    pieceStart_ = spoken_.back().start;
    searchPos_ = spoken_.back().searchPos;
    spoken_.pop_back();
  }
  // The new piece replaces the one the engine speaks; its finished status
  // is counted off as a replaced speech's.
  SpeakPiece();
}

void ReadingSession::SpeakPiece() {
  const std::string_view rest = std::string_view(text_).substr(static_cast<std::size_t>(pieceStart_));
  std::string_view piece = NextSentence(rest);
  if (piece.empty()) piece = rest;
  pieceEnd_ = pieceStart_ + static_cast<int>(piece.size());
  spoken_.push_back(SpokenPiece{pieceStart_, searchPos_});
  Highlight(piece);
  if (const auto slot = VoiceSlotOf(voiceSlots, language)) voiceSlot = *slot;
  control_.Focus();
  if (speech_.Play(std::string(piece), SpeedMarkup(speedIndex), language, voiceSlot)) {
    ++unfinished_;
    return;
  }
  // The engine refused the piece (no voice for the language, say): no status
  // will come, so reading ends here rather than waiting for one.
  playRefused_ = true;
  control_.ClearSelection();
  state_ = ReadingState::Stopped;
  EndReading();
}

// Selects the piece in the text control: found where the previous piece
// ended (whole words, case-sensitive), else placed by counting characters.
void ReadingSession::Highlight(std::string_view piece) {
  const std::u16string control = control_.ControlCharacters();
  const std::u16string needle = ToControlCharacters(piece);
  const std::size_t from = std::min(static_cast<std::size_t>(std::max(searchPos_, 0)), control.size());
  const std::size_t to = std::min(control.size(), from + needle.size() + 1);
  if (!needle.empty() && to - from >= needle.size()) {
    for (std::size_t at = from; at + needle.size() <= to; ++at) {
      if (control.compare(at, needle.size(), needle) == 0 && IsWholeWord(control, at, at + needle.size())) {
        control_.Select(static_cast<int>(at), static_cast<int>(at + needle.size()));
        searchPos_ = static_cast<int>(at + needle.size());
        return;
      }
    }
  }
  const std::string_view prefix = std::string_view(text_).substr(0, static_cast<std::size_t>(pieceStart_));
  const int start = Wide(prefix) + selectionBase_ - CrLfPairs(prefix);
  const int end = start + Wide(piece) - CrLfPairs(piece);
  control_.Select(start, end);
  searchPos_ = end;
}

void ReadingSession::PauseOrResume() {
  if (state_ == ReadingState::Paused) {
    speech_.Restart();
  } else if (state_ == ReadingState::Playing) {
    speech_.Pause();
  }
}

void ReadingSession::Stop() {
  // A speech handed to the engine that has not started to sound yet is
  // stopped too: otherwise it would start after the user pressed stop.
  const bool speaking = state_ == ReadingState::Playing || state_ == ReadingState::Paused;
  if (!speaking && !(unfinished_ > 0 && state_ != ReadingState::None)) return;
  state_ = ReadingState::Stopped;
  speech_.Stop();
  RewindAndStopMusic();
}

void ReadingSession::OnStatus(int status) {
  switch (status) {
    case 1:
      if (unfinished_ == 0 && state_ == ReadingState::Stopped) return;  // a stale start
      state_ = ReadingState::Playing;
      if (bgm_ != BgmState::None && bgm_ != BgmState::Running) RunMusic();
      return;
    case 2:
      state_ = ReadingState::Paused;
      ToggleMusic();
      return;
    case 3:
      state_ = ReadingState::Playing;
      ToggleMusic();
      return;
    case 4: break;
    default: return;
  }
  if (unfinished_ > 0 && --unfinished_ > 0) return;  // a replaced speech ended
  if (bgm_ == BgmState::None && !bgmPath_.empty()) LoadMusic();
  control_.ClearSelection();
  if (state_ == ReadingState::Stopped || state_ == ReadingState::None) {
    EndReading();
    return;
  }
  pieceStart_ = pieceEnd_;
  if (pieceStart_ < static_cast<int>(text_.size())) {
    SpeakPiece();
    return;
  }
  state_ = ReadingState::Stopped;
  if (!listView) {
    if (repeat) {
      Reading(true);
    } else {
      EndReading();
    }
  } else if (onListEnd) {
    onListEnd();
  } else {
    EndReading();
  }
}

void ReadingSession::EndReading() {
  control_.SetReadOnly(false);
  // Each piece put the focus on the text; left there, a remote's "b" or
  // Page Down would type into the teacher's text. A click brings it back.
  control_.ReleaseFocus();
  RewindAndStopMusic();
}

void ReadingSession::SetBackgroundMusic(const std::string& path, bool exists) {
  ReleaseMusic();
  musicFailed_ = false;
  bgmPath_ = (!path.empty() && exists) ? path : std::string();
}

// A file that cannot be played is tried once, not again before every piece.
void ReadingSession::LoadMusic() {
  ReleaseMusic();
  if (bgmPath_.empty() || musicFailed_) return;
  if (music_.Load(bgmPath_)) {
    bgm_ = BgmState::Loaded;
  } else {
    musicFailed_ = true;
  }
}

void ReadingSession::RunMusic() {
  music_.Run();
  bgm_ = BgmState::Running;
}

void ReadingSession::ToggleMusic() {
  if (bgm_ == BgmState::Running) {
    music_.Pause();
    bgm_ = BgmState::Paused;
  } else if (bgm_ == BgmState::Paused) {
    RunMusic();
  }
}

void ReadingSession::RewindAndStopMusic() {
  if (bgm_ != BgmState::Running && bgm_ != BgmState::Paused) return;
  music_.RewindAndStop();
  bgm_ = BgmState::Stopped;
}

void ReadingSession::ReleaseMusic() {
  if (bgm_ == BgmState::None) return;
  RewindAndStopMusic();
  music_.Release();
  bgm_ = BgmState::None;
}

// Only music that was running starts again: a late end after the reading
// stopped the music leaves it stopped.
void ReadingSession::OnMusicEnded() {
  const bool wasRunning = bgm_ == BgmState::Running;
  RewindAndStopMusic();
  if (wasRunning) RunMusic();
}

void ReadingSession::Shutdown() {
  ReleaseMusic();
  if (state_ == ReadingState::Playing || state_ == ReadingState::Paused) {
    state_ = ReadingState::Stopped;
    speech_.Stop();
  }
}

}  // namespace orvilo::reading
