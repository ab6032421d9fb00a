#include "reading/recognition.h"

#include <cstdio>

#include "platform/gdi/bitmap_file.h"

namespace orvilo::reading {

std::string ScratchBitmapPath(const std::string& scratchFolder, const sys::LocalTime& time) {
  char name[32];
  std::snprintf(name, sizeof name, "%04d%02d%02d%02d%02d%02d.bmp", time.year, time.month, time.day, time.hour,
                time.minute, time.second);
  return scratchFolder + "/" + name;
}

std::string RecogniseRegion(OcrModule& module, const gdi::PackedDib& picture, const MappedSelection& region,
                            const std::string& scratchPath) {
  gdi::WriteBitmapFile(scratchPath, picture);
  VxGlobalHandle image = module.LoadImage(scratchPath.c_str());
  module.AutoAngle(image);
  module.PreProc(image);
  module.BeginRecog(nullptr);
  std::string text;
  if (VxSysString recognised =
          module.RecogDIBRect(image, 0, region.x, region.y, region.x + region.w, region.y + region.h)) {
    text = sys::SysStringToUtf8(recognised);
    VxSysFreeString(recognised);
  }
  module.EndRecog();
  if (image) VxGlobalFree(image);
  std::remove(scratchPath.c_str());
  return text;
}

Recognizer::Recognizer(std::unique_ptr<OcrModule> module) : module_(std::move(module)) {}

Recognizer::~Recognizer() {
  Join();
  if (available_) module_->Free();
}

bool Recognizer::Init() {
  if (!initialised_ && module_) {
    initialised_ = true;
    // 1: made ready; 2: it already was (another panel of this process made
    // it ready): either way it recognises.
    const int result = module_->Init();
    available_ = result == 1 || result == 2;
  }
  return available_;
}

bool Recognizer::Busy() const {
  std::lock_guard guard(lock_);
  return busy_;
}

void Recognizer::Join() {
  if (worker_.joinable()) worker_.join();
}

bool Recognizer::Start(gdi::PackedDib picture, MappedSelection region, std::string scratchFolder,
                       std::function<void(std::string)> done) {
  if (!available_ || picture.IsEmpty()) return false;
  {
    std::lock_guard guard(lock_);
    if (busy_) return false;
    busy_ = true;
  }
  Join();  // the previous worker has finished its work; collect the thread
  worker_ = std::thread([this, picture = std::move(picture), region, folder = std::move(scratchFolder),
                         done = std::move(done)] {
    const std::string text = RecogniseRegion(*module_, picture, region, ScratchBitmapPath(folder, sys::GetLocalTime()));
    {
      std::lock_guard guard(lock_);
      busy_ = false;
    }
    if (done) done(text);
  });
  return true;
}

}  // namespace orvilo::reading
