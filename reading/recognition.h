// Recognising the marked region of the image view's picture: the picture
// goes through a scratch bitmap file to the OCR module, and its text comes
// back as UTF-8. Recognizer runs that off the window thread, one at a time.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/gdi/packed_dib.h"
#include "platform/sys/local_time.h"
#include "reading/ocr_module.h"
#include "reading/selection_mapping.h"

namespace orvilo::reading {

// What the image view shows, for one recognition: the displayed picture
// and how it is laid out in the view. Filled by the main window.
struct RecognitionPage {
  gdi::PackedDib picture;
  PageGeometry geometry;  // imageWidth and imageHeight are the picture's
};

// The scratch bitmap's name: "<folder>/YYYYMMDDhhmmss.bmp".
std::string ScratchBitmapPath(const std::string& scratchFolder, const sys::LocalTime& time);

// One recognition with the module ready: writes the picture to the
// scratch file, then LoadImage, AutoAngle, PreProc, BeginRecog, RecogDIBRect
// of the region, EndRecog, frees the image and deletes the file. A file that
// cannot be written (the folder is missing) gives the module no page, and
// the text is empty.
std::string RecogniseRegion(OcrModule& module, const gdi::PackedDib& picture, const MappedSelection& region,
                            const std::string& scratchPath);

class Recognizer {
 public:
  explicit Recognizer(std::unique_ptr<OcrModule> module);
  // Waits for a running recognition, then frees the module if it was made ready.
  ~Recognizer();
  Recognizer(const Recognizer&) = delete;
  Recognizer& operator=(const Recognizer&) = delete;

  // Makes the module ready, once; true when recognition is available
  // (the module answered 1, or 2 for already ready).
  bool Init();
  bool Available() const { return available_; }
  bool Busy() const;

  // Recognises `region` of `picture` on a worker thread and hands the text
  // to `done` there. False, and nothing started, when recognition is not
  // available, the picture is empty or a recognition is still running.
  bool Start(gdi::PackedDib picture, MappedSelection region, std::string scratchFolder,
             std::function<void(std::string)> done);

 private:
  void Join();

  std::unique_ptr<OcrModule> module_;
  bool initialised_ = false;
  bool available_ = false;
  mutable std::mutex lock_;
  bool busy_ = false;
  std::thread worker_;
};

}  // namespace orvilo::reading
