#include "shell/child_windows.h"

namespace orvilo::shell {

win::Window* ChildWindows::At(int index) const {
  switch (index) {
    case kImageViewIndex: return image.get();
    case kMovieViewIndex: return movie.get();
    case kCameraViewIndex: return camera.get();
    case kArViewIndex: return ar.get();
    case kRecordIndicatorIndex: return record.get();
    case kTabStripIndex: return tabs.get();
    case kToolsPaletteIndex: return tools.get();
    case kReadingPanelIndex: return reading.get();
    case kReadingBarIndex: return readingBar.get();
    case kMovieBarIndex: return movieBar.get();
    default: return nullptr;
  }
}

void ChildWindows::DestroyAll() {
  image.reset();
  movie.reset();
  camera.reset();
  ar.reset();
  record.reset();
  tabs.reset();
  tools.reset();
  reading.reset();
  readingBar.reset();
  movieBar.reset();
}

}  // namespace orvilo::shell
