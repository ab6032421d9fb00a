// What reading aloud needs from its surroundings, as plain interfaces: the
// speech engine, the text control and the background-music player. The
// reading panel gives the real ones; tests give recording doubles.
#pragma once

#include <optional>
#include <string>

namespace orvilo::reading {

// Speaking one piece at a time. After an accepted Play the engine reports
// its progress with statuses 1 started, 2 paused, 3 resumed and exactly one
// 4 finished (also when stopped), in that order, on the reader's thread.
class Speech {
 public:
  virtual ~Speech() = default;
  // false when the engine refused the piece: no status follows.
  virtual bool Play(const std::string& piece, const std::string& markup, int language, int speaker) = 0;
  virtual void Pause() = 0;
  virtual void Restart() = 0;
  // Returns once the finished status of the speech is queued.
  virtual void Stop() = 0;
};

// The selection the user made in the text control.
struct TextSelection {
  int start = 0;     // in control characters
  std::string text;  // UTF-8, line breaks as CR-LF
};

// The text control. It holds a line break as one character; its text comes
// out in UTF-8 with CR-LF line breaks.
class ReadingText {
 public:
  virtual ~ReadingText() = default;
  virtual std::string WholeText() const = 0;
  // Empty when no text is selected.
  virtual std::optional<TextSelection> Selection() const = 0;
  // The characters as the control counts them (UTF-16, a line break is "\n").
  virtual std::u16string ControlCharacters() const = 0;
  virtual void Select(int start, int end) = 0;
  virtual void ClearSelection() = 0;
  virtual void SetReadOnly(bool readOnly) = 0;
  virtual void Focus() = 0;
  // Gives up the focus when it holds it: a reading is over, and the keys of
  // a presenter remote must act on the window again instead of typing into
  // the text the reading left focused.
  virtual void ReleaseFocus() = 0;
};

// A music file played under the reading. Load prepares it (false when the
// file cannot be played); the others act on what was loaded.
class MusicPlayer {
 public:
  virtual ~MusicPlayer() = default;
  virtual bool Load(const std::string& path) = 0;
  virtual void Run() = 0;
  virtual void Pause() = 0;
  virtual void RewindAndStop() = 0;
  virtual void Release() = 0;
};

}  // namespace orvilo::reading
