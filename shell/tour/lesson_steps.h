// The scripted lesson: what a teacher does in one lesson, step by step,
// through the main window's own commands (posted as its buttons post them)
// and pointer drags on the picture, each step waiting for what really
// happened (a frame, a file, recognised text, speech, a running viewer).
#pragma once

#include <string>
#include <vector>

#include "shell/tour/tour_driver.h"

namespace orvilo::shell {
class CVyr3Dlg;
}

namespace orvilo::shell::tour {

class TourDialogs;

// The files the lesson leaves in its folder.
inline constexpr const char* kStillFile = "still.bmp";
inline constexpr const char* kDrawingFile = "drawing.bmp";
inline constexpr const char* kLearningFile = "lesson.qel";
inline constexpr const char* kRecordingFile = "recording.avi";
inline constexpr const char* kGrabFile = "grab.bmp";
inline constexpr const char* kSpeechFile = "speech.wav";

// The steps from the live picture to the AR unit (shutdown is the tour's
// own last step). `window` and `dialogs` outlive the steps.
std::vector<Step> LessonSteps(CVyr3Dlg& window, TourDialogs& dialogs, const std::string& folder);

}  // namespace orvilo::shell::tour
