#include "shell/tour/lesson_steps.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "core/command_ids.h"
#include "core/zoom.h"
#include "platform/gdi/bitmap_file.h"
#include "platform/gdi/qimage_conversion.h"
#include "platform/sys/program_folder.h"
#include "reading/sub_library_window.h"
#include "shell/main_window.h"
#include "shell/tour/tour_answers.h"
#include "shell/tour/tour_checks.h"
#include "ui/skin_button.h"

namespace orvilo::shell::tour {

namespace {

namespace fs = std::filesystem;

// What the steps learn on the way and later steps compare against.
struct Facts {
  PictureSize frame;
  PictureSize movieFrame;
  std::string savedText;
  std::size_t savedBlinds = 0;
  double voiced = 0.0;
  double recorded = 0.0;
  QElapsedTimer recordingSince;
};

std::string SizeText(const PictureSize& size) { return std::to_string(size.width) + "x" + std::to_string(size.height); }

std::uintmax_t FileSize(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(path, error);
  return error ? 0 : size;
}

// A left-button drag over `view` from `from` to `to` (fractions of its
// size), as a mouse would deliver it: press, moves, release.
void Drag(QWidget* view, QPointF from, QPointF to) {
  if (view == nullptr) return;
  const auto at = [view](QPointF fraction) {
    return QPointF(fraction.x() * view->width(), fraction.y() * view->height());
  };
  const auto send = [view](QEvent::Type type, QPointF local, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QMouseEvent event(type, local, view->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &event);
  };
  constexpr int kMoves = 24;
  send(QEvent::MouseButtonPress, at(from), Qt::LeftButton, Qt::LeftButton);
  for (int i = 1; i <= kMoves; ++i) {
    const double t = static_cast<double>(i) / kMoves;
    send(QEvent::MouseMove, at(from + (to - from) * t), Qt::NoButton, Qt::LeftButton);
  }
  send(QEvent::MouseButtonRelease, at(to), Qt::LeftButton, Qt::NoButton);
}

// The first `bytes` of UTF-8 text, cut before a character, "..." when cut.
std::string Beginning(const std::string& text, std::size_t bytes) {
  if (text.size() <= bytes) return text;
  while (bytes > 0 && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) --bytes;
  return text.substr(0, bytes) + "...";
}

PictureSize SizeOf(const gdi::PackedDib& picture) {
  return picture.IsEmpty() ? PictureSize{} : PictureSize{picture.width(), picture.height()};
}

}  // namespace

std::vector<Step> LessonSteps(CVyr3Dlg& window, TourDialogs& dialogs, const std::string& folder) {
  auto facts = std::make_shared<Facts>();
  // The lambdas outlive this call: they hold pointers, never references to parameters.
  CVyr3Dlg* w = &window;
  TourDialogs* d = &dialogs;
  const ChildWindows* kids = &window.Children();
  const auto post = [w](int command) { w->PostCommand(command); };
  const auto inFolder = [folder](const char* name) { return sys::JoinPath(folder, name); };
  const auto mode = [w](ViewMode expected) { return Verdict::Holds(w->Mode() == expected); };
  // A tab as a click on it: highlighted, then its command posted.
  const auto tab = [kids, post](ViewMode next) {
    if (kids->tabs) kids->tabs->SelectTabOf(next);
    post(command::kModeCamera + static_cast<int>(next));
  };
  const auto liveFrame = [kids] {
    camera::CameraView* camera = kids->camera.get();
    return Verdict::Holds(camera != nullptr && camera->isVisible() &&
                          camera->GetOverlayStatus() == camera::OverlayStatus::None);
  };
  std::vector<Step> steps;

  // 1. The live picture of the camera.
  steps.push_back({"live_view",
                   {{nullptr, 0, liveFrame, 15000, "no camera frame arrived within 15 s", {}},
                    {[facts, kids] {
                       if (kids->camera) facts->frame = SizeOf(kids->camera->TakeSnapshot(false));
                     },
                     500, [facts] { return Verdict::Holds(facts->frame.width > 0); }, 1000, "no frame to copy", "live"}},
                   {},
                   [facts] { return "frame " + SizeText(facts->frame); },
                   {}});

  // 2. Zoom in twice by the title buttons, and back.
  const int zoomed = core::ZoomedIn(core::ZoomedIn(100));
  steps.push_back({"zoom",
                   {{[post] {
                       post(command::kZoomIn);
                       post(command::kZoomIn);
                     },
                     600, [w, zoomed] { return Verdict::Holds(w->ZoomPercent() == zoomed); }, 3000,
                     "the zoom did not reach " + std::to_string(zoomed) + " %", "zoomed"},
                    {[post] {
                       post(command::kZoomOut);
                       post(command::kZoomOut);
                     },
                     0, [w] { return Verdict::Holds(w->ZoomPercent() == 100); }, 3000,
                     "the zoom did not return to 100 %", {}}},
                   {},
                   [zoomed] { return "100 % -> " + std::to_string(zoomed) + " % -> 100 %"; },
                   {}});

  // 3. The frame saved as a still (the save dialog answered with its path).
  const std::string still = inFolder(kStillFile);
  steps.push_back({"snapshot",
                   {{[d, post, still] {
                       d->AnswerNextFileDialog(still);
                       post(command::kSaveFrame);
                     },
                     0, [still] { return Verdict::Holds(BitmapFileSize(still).has_value()); }, 10000,
                     "no still picture was written", {}},
                    {nullptr, 0,
                     [still, facts] {
                       const PictureSize size = BitmapFileSize(still).value_or(PictureSize{});
                       if (size == facts->frame) return Verdict::Holds(true);
                       return Verdict::Failed("the still is " + SizeText(size) + ", the frame " + SizeText(facts->frame));
                     },
                     1000, {}, {}}},
                   {kStillFile},
                   [still] { return "still " + SizeText(BitmapFileSize(still).value_or(PictureSize{})); },
                   {}});

  // 4. Image mode: the frozen frame, a pen stroke across it, the picture
  // with its drawing saved.
  const std::string drawing = inFolder(kDrawingFile);
  steps.push_back({"image_drawing",
                   {{[tab] { tab(ViewMode::Image); }, 0,
                     [w, kids] {
                       imageview::ImageView* image = kids->image.get();
                       return Verdict::Holds(w->Mode() == ViewMode::Image && image && image->isVisible() &&
                                             !image->SourcePicture().IsEmpty());
                     },
                     5000, "image mode did not show the camera's frame", {}},
                    {[post, kids] {
                       post(command::kPen);
                       // After the pen is chosen: the drag follows from the event loop.
                       if (!kids->image) return;
                       QTimer::singleShot(100, kids->image.get(), [kids] {
                         Drag(kids->image.get(), {0.25, 0.3}, {0.75, 0.7});
                       });
                     },
                     300,
                     [w] {
                       const ui::CSkinButton* undo = w->Bars().ButtonOfCommand(command::kUndo);
                       return Verdict::Holds(undo != nullptr && undo->look != ui::ButtonLook::Disabled);
                     },
                     3000, "the stroke did not reach the drawing (Undo stayed disabled)", "stroke"},
                    {[d, post, drawing] {
                       d->AnswerNextFileDialog(drawing);
                       post(command::kSavePicture);
                     },
                     0,
                     [drawing, kids] {
                       // The view saves the picture as it shows it, at its own size; the
                       // stroke crosses the middle of the view.
                       const QImage saved = gdi::ToQImage(gdi::ReadBitmapFile(drawing));
                       if (saved.isNull()) return Verdict::Holds(false);
                       if (!kids->image) return Verdict::Failed("no image view");
                       const QSize view = kids->image->size();
                       if (saved.size() != view) {
                         return Verdict::Failed("the saved picture is " + SizeText({saved.width(), saved.height()}) +
                                                ", the view " + SizeText({view.width(), view.height()}));
                       }
                       for (int dy = -2; dy <= 2; ++dy) {
                         for (int dx = -2; dx <= 2; ++dx) {
                           if (qGray(saved.pixel(saved.width() / 2 + dx, saved.height() / 2 + dy)) < 64) {
                             return Verdict::Holds(true);
                           }
                         }
                       }
                       return Verdict::Failed("the saved picture does not show the stroke");
                     },
                     10000, "the picture with its drawing was not saved", {}}},
                   {kDrawingFile},
                   [drawing] { return "drawing " + SizeText(BitmapFileSize(drawing).value_or(PictureSize{})); },
                   {}});

  // 5. Reading mode: a blind over the page, a region marked by a drag,
  // recognised, and read aloud into the speech file until it is heard.
  const std::string speech = inFolder(kSpeechFile);
  const auto panel = [kids] { return kids->reading.get(); };
  steps.push_back(
      {"reading",
       {{[tab] { tab(ViewMode::Reading); }, 300,
         [w, panel] { return Verdict::Holds(w->Mode() == ViewMode::Reading && panel() && panel()->isVisible()); },
         5000, "reading mode did not open", {}},
        {[post] { post(command::kBlind); }, 0,
         [kids] { return Verdict::Holds(kids->image && kids->image->BlindRectangles().size() == 1); }, 3000,
         "no blind appeared", {}},
        {[kids] { Drag(kids->image.get(), {0.085, 0.26}, {0.45, 0.43}); }, 100,
         [kids] {
           const gdi::Rect marked = kids->image ? kids->image->Selection() : gdi::Rect{};
           return Verdict::Holds(marked.Width() > 0 && marked.Height() > 0);
         },
         2000, "the drag marked no region", "marked"},
        {[post] { post(command::kRecognise); }, 200,
         [panel] {
           if (!panel()) return Verdict::Failed("no reading panel");
           if (!panel()->Text().empty()) return Verdict::Holds(true);
           const auto* reader = dynamic_cast<const reading::CVyr3SubLibraryWnd*>(panel());
           if (reader && !reader->Recognising()) return Verdict::Failed("recognition ended without text");
           return Verdict::Holds(false);
         },
         90000, "no text was recognised within 90 s", {}},
        {[post] { post(command::kReading); }, 500,
         [speech, facts] {
           facts->voiced = VoicedSeconds(speech);
           return Verdict::Holds(facts->voiced >= 1.5);
         },
         30000, "less than 1.5 s of speech in " + std::string(kSpeechFile) + " after 30 s", "speaking"},
        {[post] { post(command::kStopReading); }, 300, nullptr, 0, {}, {}}},
       {kSpeechFile},
       [panel, facts] {
         const std::string text = panel() ? panel()->Text() : std::string();
         char line[160];
         std::snprintf(line, sizeof line, "%zu characters recognised, %.1f s of speech", text.size(), facts->voiced);
         return std::string(line) + ": \"" + Beginning(text, 60) + "\"";
       },
       [post] { post(command::kStopReading); }});

  // 6. The page saved as a learning file, the mode left (text and blinds
  // go), and the file opened again.
  const std::string learning = inFolder(kLearningFile);
  steps.push_back(
      {"learning_file",
       {{[d, post, learning, facts, panel, kids] {
           facts->savedText = panel() ? panel()->Text() : std::string();
           facts->savedBlinds = kids->image ? kids->image->BlindRectangles().size() : 0;
           d->AnswerNextFileDialog(learning);
           post(command::kSaveLearningFile);
         },
         0, [learning] { return Verdict::Holds(FileSize(learning) > 0); }, 10000, "no learning file was written", {}},
        {[tab] { tab(ViewMode::Image); }, 0, [mode] { return mode(ViewMode::Image); }, 5000,
         "image mode did not open", {}},
        {[tab] { tab(ViewMode::Reading); }, 0,
         [w, panel, kids] {
           return Verdict::Holds(w->Mode() == ViewMode::Reading && panel() && panel()->Text().empty() &&
                                 kids->image && kids->image->BlindRectangles().empty());
         },
         5000, "reading mode did not open afresh", {}},
        {[d, post, learning] {
           d->AnswerNextFileDialog(learning);
           post(command::kOpenLearningFile);
         },
         0,
         [panel, kids, facts] {
           const bool text = panel() && !facts->savedText.empty() && panel()->Text() == facts->savedText;
           const bool blinds = kids->image && kids->image->BlindRectangles().size() == facts->savedBlinds;
           return Verdict::Holds(text && blinds);
         },
         5000, "the reopened learning file did not bring back its text and blind", "reopened"}},
       {kLearningFile},
       [learning, facts] {
         return std::to_string(FileSize(learning)) + " bytes, " + std::to_string(facts->savedText.size()) +
                " characters, " + std::to_string(facts->savedBlinds) + " blind";
       },
       {}});

  // 7. Back to the live picture, five seconds recorded.
  const std::string recording = inFolder(kRecordingFile);
  steps.push_back({"recording",
                   {{[tab] { tab(ViewMode::Camera); }, 0, liveFrame, 15000,
                     "no camera frame arrived within 15 s", {}},
                    {[d, post, recording, facts] {
                       d->AnswerNextFileDialog(recording);
                       post(command::kRecord);
                       facts->recordingSince.start();
                     },
                     0, [recording] { return Verdict::Holds(FileSize(recording) > 0); }, 5000,
                     "the recording did not start", "recording"},
                    // Five seconds from the Record button, as a teacher would time it.
                    {nullptr, 0, [facts] { return Verdict::Holds(facts->recordingSince.elapsed() >= 5000); }, 6000,
                     {}, {}},
                    {[post] { post(command::kStopRecording); }, 0,
                     [recording, facts] {
                       const auto length = AviRecordingLength(recording);
                       if (!length || !length->finished) return Verdict::Holds(false);
                       facts->recorded = length->seconds;
                       if (length->seconds >= 4.0) return Verdict::Holds(true);
                       char why[96];
                       std::snprintf(why, sizeof why, "the recording lasts %.2f s", length->seconds);
                       return Verdict::Failed(why);
                     },
                     15000, "the recording was not finished within 15 s", {}}},
                   {kRecordingFile},
                   [facts, recording] {
                     char line[96];
                     std::snprintf(line, sizeof line, "%.2f s, %ju bytes", facts->recorded, FileSize(recording));
                     return std::string(line);
                   },
                   [post] { post(command::kStopRecording); }});

  // 8. The recording played in movie mode, a frame taken to image mode
  // ("Capture") and saved.
  const std::string grab = inFolder(kGrabFile);
  steps.push_back(
      {"playback",
       {{[tab] { tab(ViewMode::Movie); }, 0, [mode] { return mode(ViewMode::Movie); }, 5000,
         "movie mode did not open", {}},
        {[d, post, recording] {
           d->AnswerNextFileDialog(recording);
           post(command::kOpenMovie);
         },
         0,
         [kids, facts] {
           movie::MovieView* movie = kids->movie.get();
           if (!movie || movie->State() != movie::PlaybackState::Playing) return Verdict::Holds(false);
           facts->movieFrame = SizeOf(movie->GrabMovieFrame());
           return Verdict::Holds(facts->movieFrame.width > 0);
         },
         10000, "the recording did not play a frame within 10 s", {}},
        {nullptr, 1500, nullptr, 0, {}, "playing"},
        {[post] { post(command::kFrameToImage); }, 0,
         [w, kids] {
           return Verdict::Holds(w->Mode() == ViewMode::Image && kids->image &&
                                 !kids->image->SourcePicture().IsEmpty());
         },
         5000, "the movie's frame did not reach image mode", "captured"},
        {[d, post, grab] {
           d->AnswerNextFileDialog(grab);
           post(command::kSavePicture);
         },
         0,
         [grab, facts, kids] {
           if (!BitmapFileSize(grab)) return Verdict::Holds(false);
           if (!kids->image) return Verdict::Failed("no image view");
           const PictureSize shown = SizeOf(kids->image->SourcePicture());
           if (shown == facts->movieFrame) return Verdict::Holds(true);
           return Verdict::Failed("image mode shows " + SizeText(shown) + ", the movie's frame is " +
                                  SizeText(facts->movieFrame));
         },
         10000, "the captured frame was not saved", {}}},
       {kGrabFile},
       [facts] { return "movie frame " + SizeText(facts->movieFrame); },
       {}});

  // 9. AR mode: grade 3, the picker's preset unit, its viewer running
  // inside the AR view.
  steps.push_back({"ar_unit",
                   {{[tab] { tab(ViewMode::AR); }, 0, [mode] { return mode(ViewMode::AR); }, 5000,
                     "AR mode did not open", {}},
                    {[post] { post(command::kFirstArGrade + 2); }, 0,
                     [kids] { return Verdict::Holds(kids->ar && kids->ar->HasViewer()); }, 20000,
                     "no viewer registered within 20 s", {}},
                    {nullptr, 1500, nullptr, 0, {}, "viewer"}},
                   {},
                   [w] { return "unit \"" + w->ArCaption() + "\""; },
                   {}});
  return steps;
}

}  // namespace orvilo::shell::tour
