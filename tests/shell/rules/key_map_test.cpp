#include "shell/key_map.h"

#include <gtest/gtest.h>

#include "core/command_ids.h"

using namespace orvilo;
using namespace orvilo::shell;

namespace {

constexpr ViewMode kModes[] = {ViewMode::Camera, ViewMode::Image, ViewMode::Reading, ViewMode::Movie, ViewMode::AR};
constexpr int kNone = 0;

struct Case {
  Key key;
  bool control;
  // The command in camera, image, reading, movie and AR mode (0: none).
  int command[5];
};

std::optional<int> Wanted(int command) { return command == kNone ? std::nullopt : std::optional<int>(command); }

}  // namespace

TEST(KeyMap, EachKeyInEachModeOutsideFullScreen) {
  using namespace orvilo::command;
  const Case cases[] = {
      {Key::PageDown, false, {kNone, kNextItem, kNextItem, kSkipForward, kNone}},
      {Key::Right, false, {kNone, kNextItem, kNextItem, kSkipForward, kNone}},
      {Key::PageUp, false, {kNone, kPreviousItem, kPreviousItem, kSkipBack, kNone}},
      {Key::Left, false, {kNone, kPreviousItem, kPreviousItem, kSkipBack, kNone}},
      {Key::B, false, {kBlankPicture, kBlankPicture, kBlankPicture, kBlankPicture, kBlankPicture}},
      {Key::Period, false, {kBlankPicture, kBlankPicture, kBlankPicture, kBlankPicture, kBlankPicture}},
      {Key::F5, false, {kCameraFullScreenOn, kImageFullScreenOn, kNone, kMovieFullScreenOn, kNone}},
      {Key::Escape, false, {kNone, kNone, kNone, kNone, kNone}},
      {Key::Z, true, {kNone, kUndo, kNone, kNone, kNone}},
      {Key::Y, true, {kNone, kRedo, kNone, kNone, kNone}},
      {Key::S, true, {kSaveFrame, kSavePicture, kSaveLearningFile, kNone, kNone}},
      {Key::O, true, {kOpenFile, kOpenPicture, kOpenLearningFile, kOpenMovie, kNone}},
      {Key::Plus, false, {kZoomIn, kZoomIn, kZoomIn, kNone, kNone}},
      {Key::Minus, false, {kZoomOut, kZoomOut, kZoomOut, kNone, kNone}},
      {Key::Space, false, {kPause, kNone, kPauseReading, kPauseMovie, kNone}},
      {Key::F1, false, {kShortcutHelp, kShortcutHelp, kShortcutHelp, kShortcutHelp, kShortcutHelp}},
      // A letter alone or a shortcut's key without Ctrl does nothing, nor
      // does Ctrl with a remote's key.
      {Key::Z, false, {kNone, kNone, kNone, kNone, kNone}},
      {Key::S, false, {kNone, kNone, kNone, kNone, kNone}},
      {Key::B, true, {kNone, kNone, kNone, kNone, kNone}},
      {Key::PageDown, true, {kNone, kNone, kNone, kNone, kNone}},
      {Key::Other, false, {kNone, kNone, kNone, kNone, kNone}},
  };
  for (const Case& c : cases) {
    for (int m = 0; m < 5; ++m) {
      const KeyState state{kModes[m], false, false};
      EXPECT_EQ(CommandForKey(KeyPress{c.key, c.control}, state), Wanted(c.command[m]))
          << "key " << static_cast<int>(c.key) << (c.control ? " with Ctrl" : "") << " in mode " << m;
    }
  }
}

TEST(KeyMap, F5TogglesFullScreenAndEscapeOnlyLeavesIt) {
  using namespace orvilo::command;
  const Case cases[] = {
      {Key::F5, false, {kCameraFullScreenOff, kImageFullScreenOff, kNone, kMovieFullScreenOff, kNone}},
      {Key::Escape, false, {kCameraFullScreenOff, kImageFullScreenOff, kNone, kMovieFullScreenOff, kNone}},
      // The other keys act in full screen as outside it.
      {Key::PageDown, false, {kNone, kNextItem, kNextItem, kSkipForward, kNone}},
      {Key::B, false, {kBlankPicture, kBlankPicture, kBlankPicture, kBlankPicture, kBlankPicture}},
  };
  for (const Case& c : cases) {
    for (int m = 0; m < 5; ++m) {
      EXPECT_EQ(CommandForKey(KeyPress{c.key, c.control}, KeyState{kModes[m], true, false}), Wanted(c.command[m]))
          << "key " << static_cast<int>(c.key) << " in mode " << m;
    }
  }
}

TEST(KeyMap, WhileBlankedOnlyBPeriodAndEscapeActAndTheyBringThePictureBack) {
  const std::pair<Key, bool> cases[] = {{Key::B, true},          {Key::Period, true},   {Key::Escape, true},
                                        {Key::PageDown, false},  {Key::F5, false},      {Key::Space, false},
                                        {Key::Plus, false},      {Key::Right, false}};
  for (const auto& [key, unblanks] : cases) {
    for (ViewMode mode : kModes) {
      for (bool fullScreen : {false, true}) {
        const auto command = CommandForKey(KeyPress{key, false}, KeyState{mode, fullScreen, true});
        EXPECT_EQ(command, unblanks ? std::optional<int>(command::kBlankPicture) : std::nullopt)
            << "key " << static_cast<int>(key) << " in mode " << static_cast<int>(mode);
      }
    }
  }
}

TEST(KeyMap, WhileTheHelpShowsOnlyF1AndEscapeActAndTheyCloseIt) {
  const std::pair<Key, bool> cases[] = {{Key::F1, true}, {Key::Escape, true}, {Key::B, false}, {Key::F5, false},
                                        {Key::PageDown, false}};
  for (const auto& [key, closes] : cases) {
    for (ViewMode mode : kModes) {
      const auto command = CommandForKey(KeyPress{key, false}, KeyState{mode, true, false, true});
      EXPECT_EQ(command, closes ? std::optional<int>(command::kShortcutHelp) : std::nullopt)
          << "key " << static_cast<int>(key) << " in mode " << static_cast<int>(mode);
    }
  }
}

TEST(KeyMap, TheHelpHasTheSameLinesInBothLanguages) {
  const std::vector<KeyHelpLine> korean = KeyHelp(true), english = KeyHelp(false);
  ASSERT_EQ(korean.size(), english.size());
  for (std::size_t i = 0; i < korean.size(); ++i) {
    EXPECT_STRNE(korean[i].action, english[i].action) << i;  // translated
    EXPECT_GT(std::string(english[i].keys).size(), 0u);
  }
}
