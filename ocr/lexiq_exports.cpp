// The module's life cycle, page loading, straightening, binarisation and
// the two save calls.
#include <algorithm>
#include <cstring>

#include "engines/palen/PalenPublicAPI.h"
#include "ocr/LEXIQ.h"
#include "ocr/binarization.h"
#include "ocr/imaging.h"
#include "ocr/locked_dib.h"
#include "ocr/module_state.h"
#include "platform/abi/exception_barrier.h"
#include "platform/sys/file_io.h"
#include "platform/sys/global_memory.h"

using lexiq::LockedDib;
using lexiq::State;
using orvilo::abi::Guarded;
using orvilo::sys::GlobalBlock;

namespace {

// Quality of work images saved as JPEG.
constexpr int kSaveQuality = 80;

// Conversion the engine does on load: grey with the page's uneven light
// evened out, ready for one global threshold.
constexpr int kLoadAsCameraPage = 1;

}  // namespace

extern "C" {

LEXIQ_API int LEXIQ_Init(void) {
  return Guarded(
      []() -> int {
        PALEN_EnableDPICheck(0);
        lexiq::ModuleState& state = State();
        if (state.ready) return 2;
        lexiq::ReleaseWorkImage();
        state.ready = true;
        return 1;
      },
      0);
}

LEXIQ_API int LEXIQ_Free(void) {
  Guarded([] { lexiq::ReleaseWorkImage(); });
  return 0;
}

LEXIQ_API int LEXIQ_BeginRecog(vx_hwnd window) {
  Guarded([&] { lexiq::UseKoreanWithEnglish(window); });
  return 0;
}

LEXIQ_API void LEXIQ_EndRecog(void) {
  Guarded([] {});  // nothing to end; kept in the barrier like every call
}

LEXIQ_API VxGlobalHandle LEXIQ_LoadImage(const char* path) {
  return Guarded(
      [&]() -> VxGlobalHandle {
        lexiq::ModuleState& state = State();
        if (!state.ready || path == nullptr) return nullptr;
        lexiq::ReleaseWorkImage();
        GlobalBlock image(PALEN_LoadImage(path, 0, kLoadAsCameraPage, 0, nullptr));
        if (!image) return nullptr;
        LockedDib dib(image.get());
        if (orvilo::gdi::BitmapInfoHeader* header = dib.header()) {
          header->biXPelsPerMeter = std::max(header->biXPelsPerMeter, lexiq::kPagePelsPerMeter);
          header->biYPelsPerMeter = std::max(header->biYPelsPerMeter, lexiq::kPagePelsPerMeter);
          lexiq::imaging::MakeWorkImage(dib.bytes(), &state.workImage);
        }
        return image.release();
      },
      nullptr);
}

LEXIQ_API float LEXIQ_AutoAngle(VxGlobalHandle image) {
  return Guarded(
      [&]() -> float {
        VxGlobalHandle local = image;  // the engine straightens in place; the caller's handle stays valid
        return PALEN_AutoAdjustTilt(&local, nullptr, nullptr);
      },
      0.0f);
}

LEXIQ_API void LEXIQ_PreProc(VxGlobalHandle image) {
  Guarded([&] {
    LockedDib dib(image);
    if (!dib.locked() || !dib.HoldsGreyPage()) return;
    lexiq::imaging::TemporaryWorkImage work;
    if (lexiq::imaging::MakeWorkImage(dib.bytes(), work.get()) != VIC_OK) return;
    VicWorkImage& page = *work.get();
    const lexiq::GreyHistogram shares = lexiq::HistogramOf(page.pixels, page.stride, page.width, page.height);
    lexiq::ApplyThreshold(page.pixels, page.stride, page.height, lexiq::IntermeansThreshold(shares));

    VxGlobalHandle made = nullptr;
    const int status = lexiq::imaging::MakeDib(&page, &made);
    const GlobalBlock binary(made);
    if (status != VIC_OK || !binary) return;
    LockedDib result(binary.get());
    orvilo::gdi::BitmapInfoHeader* header = result.header();
    const auto* workHeader = static_cast<const orvilo::gdi::BitmapInfoHeader*>(page.header);
    const std::size_t bytes =
        std::size_t{workHeader->biSize} + std::size_t{workHeader->biClrUsed} * 4 + workHeader->biSizeImage;
    // The work image is never larger than the page it came from, but the
    // copy is bounded by both blocks all the same.
    if (header != nullptr && bytes <= result.size() && bytes <= dib.size()) {
      header->biXPelsPerMeter = lexiq::kPagePelsPerMeter;
      header->biYPelsPerMeter = lexiq::kPagePelsPerMeter;
      std::memcpy(dib.bytes(), result.bytes(), bytes);
    }
  });
}

LEXIQ_API int LEXIQ_SaveCurrentResult(const char* path) {
  return Guarded(
      [&]() -> int {
        const lexiq::ModuleState& state = State();
        if (!state.ready) return LEXIQ_NOT_READY;
        if (state.currentResult.empty()) return LEXIQ_NO_RESULT;
        if (path == nullptr) return LEXIQ_WRITE_FAILED;
        const bool written = orvilo::sys::SaveFileAtomically(path, state.currentResult);
        return written ? LEXIQ_OK : LEXIQ_WRITE_FAILED;
      },
      LEXIQ_WRITE_FAILED);
}

LEXIQ_API int LEXIQ_SaveWorkImage(const char* path) {
  return Guarded(
      [&]() -> int {
        const lexiq::ModuleState& state = State();
        if (!state.ready) return LEXIQ_NOT_READY;
        if (lexiq::imaging::IsEmpty(state.workImage)) return LEXIQ_NO_WORK_IMAGE;
        return lexiq::imaging::Save(path, &state.workImage, kSaveQuality);
      },
      VIC_ERROR_MEMORY);
}

}  // extern "C"
