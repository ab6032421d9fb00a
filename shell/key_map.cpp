#include "shell/key_map.h"

#include <array>

#include "core/command_ids.h"

namespace orvilo::shell {

namespace {

constexpr int Bit(ViewMode mode) { return 1 << static_cast<int>(mode); }
constexpr int kCamera = Bit(ViewMode::Camera);
constexpr int kImage = Bit(ViewMode::Image);
constexpr int kReading = Bit(ViewMode::Reading);
constexpr int kMovie = Bit(ViewMode::Movie);
constexpr int kAr = Bit(ViewMode::AR);
constexpr int kEvery = kCamera | kImage | kReading | kMovie | kAr;

struct Binding {
  Key key;
  bool control;
  int modes;
  int command;
};

// Keys whose command does not depend on full screen or blanking. Where the
// same key has a row for several modes, each mode appears in one row only.
constexpr std::array kBindings{
    // Next / previous item: sentence or voice book while reading, still in
    // the picture's folder, a skip in the movie.
    Binding{Key::PageDown, false, kImage | kReading, command::kNextItem},
    Binding{Key::Right, false, kImage | kReading, command::kNextItem},
    Binding{Key::PageUp, false, kImage | kReading, command::kPreviousItem},
    Binding{Key::Left, false, kImage | kReading, command::kPreviousItem},
    Binding{Key::PageDown, false, kMovie, command::kSkipForward},
    Binding{Key::Right, false, kMovie, command::kSkipForward},
    Binding{Key::PageUp, false, kMovie, command::kSkipBack},
    Binding{Key::Left, false, kMovie, command::kSkipBack},
    // Blank the picture (and bring it back).
    Binding{Key::B, false, kEvery, command::kBlankPicture},
    Binding{Key::Period, false, kEvery, command::kBlankPicture},
    // Desktop shortcuts.
    Binding{Key::Z, true, kImage, command::kUndo},
    Binding{Key::Y, true, kImage, command::kRedo},
    Binding{Key::S, true, kCamera, command::kSaveFrame},
    Binding{Key::S, true, kImage, command::kSavePicture},
    Binding{Key::S, true, kReading, command::kSaveLearningFile},
    Binding{Key::O, true, kCamera, command::kOpenFile},
    Binding{Key::O, true, kImage, command::kOpenPicture},
    Binding{Key::O, true, kReading, command::kOpenLearningFile},
    Binding{Key::O, true, kMovie, command::kOpenMovie},
    Binding{Key::Plus, false, kCamera | kImage | kReading, command::kZoomIn},
    Binding{Key::Minus, false, kCamera | kImage | kReading, command::kZoomOut},
    Binding{Key::Space, false, kCamera, command::kPause},
    Binding{Key::Space, false, kReading, command::kPauseReading},
    Binding{Key::Space, false, kMovie, command::kPauseMovie},
};

struct FullScreenCommands {
  int on;
  int off;
};

std::optional<FullScreenCommands> FullScreenOf(ViewMode mode) {
  switch (mode) {
    case ViewMode::Camera: return FullScreenCommands{command::kCameraFullScreenOn, command::kCameraFullScreenOff};
    case ViewMode::Image: return FullScreenCommands{command::kImageFullScreenOn, command::kImageFullScreenOff};
    case ViewMode::Movie: return FullScreenCommands{command::kMovieFullScreenOn, command::kMovieFullScreenOff};
    case ViewMode::Reading:
    case ViewMode::AR: break;  // no full-screen picture there
  }
  return std::nullopt;
}

}  // namespace

std::optional<int> CommandForKey(KeyPress press, const KeyState& state) {
  // The help closes with F1 or Escape; other keys wait until it is gone.
  if (state.helpShown) {
    const bool close = !press.control && (press.key == Key::F1 || press.key == Key::Escape);
    return close ? std::optional<int>(command::kShortcutHelp) : std::nullopt;
  }
  // A blanked picture comes back with B, "." or Escape; nothing else acts
  // on a picture nobody sees.
  if (state.blanked) {
    const bool unblank = !press.control && (press.key == Key::B || press.key == Key::Period || press.key == Key::Escape);
    return unblank ? std::optional<int>(command::kBlankPicture) : std::nullopt;
  }
  if (!press.control && press.key == Key::F1) return command::kShortcutHelp;
  if (!press.control && (press.key == Key::F5 || press.key == Key::Escape)) {
    const std::optional<FullScreenCommands> fullScreen = FullScreenOf(state.mode);
    if (!fullScreen) return std::nullopt;
    if (press.key == Key::F5) return state.fullScreen ? fullScreen->off : fullScreen->on;
    // Outside full screen Escape keeps its meaning for the window (Cancel).
    return state.fullScreen ? std::optional<int>(fullScreen->off) : std::nullopt;
  }
  for (const Binding& binding : kBindings) {
    if (binding.key == press.key && binding.control == press.control && (binding.modes & Bit(state.mode)) != 0) {
      return binding.command;
    }
  }
  return std::nullopt;
}

std::vector<KeyHelpLine> KeyHelp(bool korean) {
  if (korean) {
    return {
        {"Page Down, →", "다음 문장 · 다음 음성책 · 폴더의 다음 그림 · 동영상 앞으로"},
        {"Page Up, ←", "이전 문장 · 이전 음성책 · 폴더의 이전 그림 · 동영상 뒤로"},
        {"B, .", "화면 가리기 / 다시 보이기"},
        {"F5", "전체 화면 켜기 / 끄기"},
        {"Esc", "전체 화면 끄기 · 가리기 끝"},
        {"Ctrl+Z, Ctrl+Y", "실행 취소, 다시 실행 (이미지)"},
        {"Ctrl+S, Ctrl+O", "저장, 열기"},
        {"+, −", "확대, 축소"},
        {"Space", "일시 정지 / 계속"},
        {"F1", "이 도움말 열기 / 닫기"},
        {"두 손가락", "벌리고 모아 확대·축소, 끌어서 이동"},
        {"길게 누르기", "현재 도구의 선택 창"},
    };
  }
  return {
      {"Page Down, →", "next sentence · voice book · picture in the folder · skip forward"},
      {"Page Up, ←", "previous sentence · voice book · picture in the folder · skip back"},
      {"B, .", "blank the picture / show it again"},
      {"F5", "full screen on / off"},
      {"Esc", "full screen off · end the blank"},
      {"Ctrl+Z, Ctrl+Y", "undo, redo (image)"},
      {"Ctrl+S, Ctrl+O", "save, open"},
      {"+, −", "zoom in, zoom out"},
      {"Space", "pause / go on"},
      {"F1", "this help on / off"},
      {"Two fingers", "spread or pinch to zoom, drag to pan"},
      {"Long press", "the current tool's picker"},
  };
}

}  // namespace orvilo::shell
