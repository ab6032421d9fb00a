// The main window's modes and camera-mode arrangements, shared by the
// shell and the views that are told them.
#pragma once

namespace orvilo {

enum class ViewMode { Camera = 0, Image = 1, Reading = 2, Movie = 3, AR = 4 };

// Camera-mode layout; the same value is each view's role in it.
enum class Arrangement { Normal = 0, Split = 1, CameraInset = 2, ImageInset = 3 };

}  // namespace orvilo
