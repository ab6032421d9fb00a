// Which command a key sends in each mode: the keys presenter remotes send
// (page down/up, right/left, B or ".", F5, Escape) and the usual desktop
// shortcuts. Plain data and arithmetic, no toolkit: the main window turns a
// key event into a KeyPress, asks CommandForKey and sends the command
// through its ordinary routing, so every key ends in the mode class that
// owns the command (docs/input.md has the table).
#pragma once

#include <optional>
#include <vector>

#include "core/view_mode.h"

namespace orvilo::shell {

enum class Key {
  Other = 0,
  PageDown,
  PageUp,
  Right,
  Left,
  B,
  Period,
  F5,
  Escape,
  Plus,
  Minus,
  Space,
  Z,
  Y,
  S,
  O,
  F1,
};

struct KeyPress {
  Key key = Key::Other;
  bool control = false;  // Ctrl held (Alt and Meta make no shortcut)
};

// What decides a key besides the mode.
struct KeyState {
  ViewMode mode = ViewMode::Camera;
  bool fullScreen = false;  // the picture fills the window (full-screen bar button)
  bool blanked = false;     // the picture is blanked
  bool helpShown = false;   // the list of keys lies over the window
};

// The command a key sends, or none.
std::optional<int> CommandForKey(KeyPress press, const KeyState& state);

// One line of the help: the keys and what they do.
struct KeyHelpLine {
  const char* keys;
  const char* action;
};

// The lines of the help (F1), in Korean or English.
std::vector<KeyHelpLine> KeyHelp(bool korean);

}  // namespace orvilo::shell
