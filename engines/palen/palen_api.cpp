// The engine's exported calls: argument checks, the engine's state under one
// lock, and the hand-over of results in the shapes the callers own.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "engines/palen/PalenPublicAPI.h"
#include "engines/palen/dib_image.h"
#include "engines/palen/draw_target.h"
#include "engines/palen/language_data.h"
#include "engines/palen/layout_template.h"
#include "engines/palen/page_loader.h"
#include "engines/palen/tesseract_reader.h"
#include "engines/palen/text_composer.h"
#include "engines/palen/tilt_correction.h"
#include "platform/abi/exception_barrier.h"
#include "platform/sys/global_memory.h"

namespace palen {
namespace {

// Resolution under which a picture is refused while the check is on.
constexpr std::int32_t kLeastCheckedPelsPerMeter = 7874;  // 200 dpi
// What Tesseract is told when a picture carries no usable resolution.
constexpr int kAssumedDpi = 300;
// Layout and item arrays larger than this are caller mistakes.
constexpr int kMaximumItems = 10000;

// Leptonica reports every failed step on stderr; the engine reports by its
// results instead. LEPT_MSG_SEVERITY still brings the messages back.
const bool kLeptonicaQuiet = [] {
  if (std::getenv("LEPT_MSG_SEVERITY") == nullptr) setMsgSeverity(L_SEVERITY_NONE);
  return true;
}();

struct Engine {
  std::mutex lock;
  bool dpiCheck = true;
  TesseractReader reader;
  std::optional<LayoutTemplate> localLayout;
};

Engine& TheEngine() {
  static Engine engine;
  return engine;
}

int TesseractDpi(const DibPicture& picture) {
  const int dpi = DpiFromPelsPerMeter(picture.yPelsPerMeter > 0 ? picture.yPelsPerMeter : picture.xPelsPerMeter);
  return dpi >= 70 && dpi <= 2400 ? dpi : kAssumedDpi;
}

// The picture of `dib` ready for Tesseract: 8-bit grey, and allowed by the
// resolution check.
struct GreyPage {
  PixPtr grey;
  int dpi = kAssumedDpi;
};
GreyPage GreyPageOf(VxGlobalHandle dib, bool checkResolution) {
  DibPicture picture = PictureFromDib(dib);
  if (!picture.pix) return {};
  if (checkResolution && std::min(picture.xPelsPerMeter, picture.yPelsPerMeter) < kLeastCheckedPelsPerMeter) return {};
  return GreyPage{GreyOf(picture.pix.get()), TesseractDpi(picture)};
}

char* CopyText(const std::string& text) {
  if (text.empty()) return nullptr;
  char* copy = static_cast<char*>(std::malloc(text.size() + 1));
  if (copy != nullptr) std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

void FillResultBuffers(PalenResultBuffers* result, const ComposedText& text) {
  if (result == nullptr) return;
  if (result->text == nullptr && result->confidence == nullptr) {
    constexpr std::size_t kBytes = PALEN_DEFAULT_RESULT_CAPACITY * sizeof(std::uint16_t);
    result->text = VxGlobalAlloc(VX_GHND, kBytes);
    result->confidence = VxGlobalAlloc(VX_GHND, kBytes);
    result->capacity = PALEN_DEFAULT_RESULT_CAPACITY;
  }
  result->count = 0;
  const orvilo::sys::GlobalLock textBlock(result->text);
  auto* units = static_cast<std::uint16_t*>(textBlock.bytes());
  if (units == nullptr) return;
  // Room for the text and its terminating 0, whatever the record claims.
  const std::size_t room = std::min<std::size_t>(std::max(result->capacity, 0), textBlock.size() / 2);
  const std::size_t count = room == 0 ? 0 : std::min(text.units.size(), room - 1);
  std::memcpy(units, text.units.data(), count * sizeof(std::uint16_t));
  if (room > 0) units[count] = 0;
  const orvilo::sys::GlobalLock confidenceBlock(result->confidence);
  if (auto* confidence = static_cast<std::uint16_t*>(confidenceBlock.bytes())) {
    const std::size_t shown = std::min(count, confidenceBlock.size() / 2);
    std::memcpy(confidence, text.unitConfidence.data(), shown * sizeof(std::uint16_t));
  }
  result->count = static_cast<std::int32_t>(count);
}

// Frees the record's block and puts the replacement in its place.
void ReplaceBlock(VxGlobalHandle& block, orvilo::sys::GlobalBlock replacement) {
  VxGlobalFree(block);
  block = replacement.release();
}

void ReplaceItemTexts(PalenStringArray& array, const std::vector<std::string>& texts) {
  for (std::int32_t i = 0; i < array.count && array.items != nullptr; ++i) VxSysFreeString(array.items[i]);
  std::free(array.items);
  array = PalenStringArray{};
  if (texts.empty()) return;
  array.items = static_cast<VxSysString*>(std::calloc(texts.size(), sizeof(VxSysString)));
  if (array.items == nullptr) return;
  array.capacity = static_cast<std::int32_t>(texts.size());
  for (const std::string& text : texts) array.items[array.count++] = VxSysAllocStringFromUtf8(text.data(), text.size());
}

void FillAux(PalenAuxResult* aux, const ComposedText& text, bool characters, bool itemTexts) {
  if (aux == nullptr) return;
  std::u16string terminated = text.units;
  terminated.push_back(u'\0');
  ReplaceBlock(aux->text, orvilo::sys::GlobalBlockWith(terminated.data(), terminated.size() * sizeof(char16_t)));
  if (characters) {
    ReplaceBlock(aux->characters, text.characters.empty()
                                      ? orvilo::sys::GlobalBlock()
                                      : orvilo::sys::GlobalBlockWith(text.characters.data(),
                                                                     text.characters.size() * sizeof(PalenCharRect)));
  }
  if (itemTexts) ReplaceItemTexts(aux->itemTexts, text.itemTexts);
}

struct Switches {
  bool fillResult, draw, keepLines, fillCharacters, fillItemTexts;
};
struct Placement {
  PalenDrawTarget* target;
  const PalenPoint* origin;
  const PalenRect* rect;
  float scale;
};

// Reads `items` on `page` and hands the results over as the switches ask.
char* ReadAndDeliver(Engine& engine, const GreyPage& page, const std::vector<PalenLayoutItem>& items,
                     PalenResultBuffers* result, PalenAuxResult* aux, const Switches& switches,
                     const Placement& placement, const ReadOptions& options) {
  const std::vector<RecognisedItem> read = engine.reader.Read(page.grey.get(), page.dpi, items, options);
  const ComposedText text = ComposeText(read, switches.keepLines);
  if (switches.fillResult) FillResultBuffers(result, text);
  FillAux(aux, text, switches.fillCharacters, switches.fillItemTexts);
  if (switches.draw && placement.target != nullptr) {
    std::vector<PalenRect> areas;
    for (const RecognisedItem& item : read) areas.push_back(item.box);
    DrawOutlines(placement.target, areas, placement.origin, placement.rect, placement.scale);
  }
  return CopyText(text.utf8);
}

}  // namespace
}  // namespace palen

using namespace palen;
using orvilo::abi::Guarded;

extern "C" {

PALEN_API void PALEN_EnableDPICheck(int on) {
  Guarded([&] {
    Engine& engine = TheEngine();
    std::lock_guard guard(engine.lock);
    engine.dpiCheck = on != 0;
  });
}

PALEN_API int SetLanguage(vx_hwnd /*window*/, const char* folder, int language, int languageEx, int mode) {
  return Guarded(
      [&]() -> int {
        Engine& engine = TheEngine();
        std::lock_guard guard(engine.lock);
        const std::optional<std::string> languages = TesseractLanguages(language, languageEx);
        const std::optional<std::string> data = languages ? FindLanguageData(folder, *languages) : std::nullopt;
        if (mode != 0 || !data) {
          engine.reader.Stop();
          return 0;
        }
        return engine.reader.Start(*data, *languages) ? 1 : 0;
      },
      0);
}

PALEN_API VxGlobalHandle PALEN_LoadImage(const char* path, int page, int mode, int reserved, int* error) {
  return Guarded(
      [&]() -> VxGlobalHandle {
        if ((mode != 0 && mode != 1) || reserved != 0) {
          if (error != nullptr) *error = PALEN_ERROR_ARGUMENT;
          return nullptr;
        }
        return LoadPage(path, page, static_cast<LoadMode>(mode), error);
      },
      nullptr, [&]() noexcept {
        if (error != nullptr) *error = PALEN_ERROR_MEMORY;
      });
}

PALEN_API float PALEN_AutoAdjustTilt(VxGlobalHandle* image, const PalenRect* rect, const PalenProgress* progress) {
  return Guarded(
      [&]() -> float {
        if (image == nullptr || *image == nullptr) return 0.0f;
        return StraightenInPlace(*image, rect, progress);
      },
      0.0f);
}

PALEN_API VxGlobalHandle PALEN_CropImage(VxGlobalHandle image, const PalenRect* rect) {
  return Guarded(
      [&]() -> VxGlobalHandle {
        DibPicture picture = PictureFromDib(image);
        if (!picture.pix) return nullptr;
        const int width = pixGetWidth(picture.pix.get());
        const int height = pixGetHeight(picture.pix.get());
        const PalenRect whole{0, 0, width, height};
        const PalenRect wanted = rect != nullptr ? *rect : whole;
        if (wanted.right <= wanted.left || wanted.bottom <= wanted.top) return nullptr;
        const PalenRect clipped{std::max(wanted.left, 0), std::max(wanted.top, 0), std::min(wanted.right, width),
                                std::min(wanted.bottom, height)};
        if (clipped.right <= clipped.left || clipped.bottom <= clipped.top) return nullptr;
        BoxPtr box(boxCreate(clipped.left, clipped.top, clipped.right - clipped.left, clipped.bottom - clipped.top));
        PixPtr part(pixClipRectangle(picture.pix.get(), box.get(), nullptr));
        return DibFromPix(part.get(), picture.xPelsPerMeter, picture.yPelsPerMeter);
      },
      nullptr);
}

PALEN_API int PALEN_AutoSpliteLayout(VxGlobalHandle image, PalenLayoutItem* items, int maxItems, const PalenRect* rect,
                                     const PalenProgress* progress) {
  return Guarded(
      [&]() -> int {
        if (items == nullptr || maxItems <= 0) return 0;
        Engine& engine = TheEngine();
        std::lock_guard guard(engine.lock);
        if (!engine.reader.ready()) return 0;
        const GreyPage page = GreyPageOf(image, false);
        if (!page.grey) return 0;
        if (progress != nullptr && progress->report != nullptr && progress->report(progress->context, 0) != 0) {
          return 0;
        }
        const std::vector<PalenLayoutItem> found = engine.reader.AnalyseLayout(page.grey.get(), page.dpi, rect);
        const int count = std::min(static_cast<int>(found.size()), maxItems);
        std::copy_n(found.begin(), count, items);
        if (progress != nullptr && progress->report != nullptr) progress->report(progress->context, 100);
        return count;
      },
      0);
}

PALEN_API char* PALEN_GetTextForRect(VxGlobalHandle image, PalenResultBuffers* result, const PalenLayoutItem* items,
                                     int count, int fillResult, int draw, int keepLines, int /*fillCharacters*/,
                                     int /*fillItemTexts*/, PalenDrawTarget* dc, const PalenPoint* origin,
                                     const PalenRect* placement, float scale) {
  return Guarded(
      [&]() -> char* {
        if (items == nullptr || count <= 0 || count > kMaximumItems) return nullptr;
        Engine& engine = TheEngine();
        std::lock_guard guard(engine.lock);
        if (!engine.reader.ready()) return nullptr;
        const GreyPage page = GreyPageOf(image, engine.dpiCheck);
        if (!page.grey) return nullptr;
        const std::vector<PalenLayoutItem> wanted(items, items + count);
        return ReadAndDeliver(engine, page, wanted, result, nullptr,
                              Switches{fillResult != 0, draw != 0, keepLines != 0, false, false},
                              Placement{dc, origin, placement, scale}, ReadOptions{});
      },
      nullptr);
}

PALEN_API int PALEN_AutoSpliteLayout_WithLocal(VxGlobalHandle* image, const PalenRect* rect, int options,
                                               const PalenProgress* progress) {
  return Guarded(
      [&]() -> int {
        Engine& engine = TheEngine();
        std::lock_guard guard(engine.lock);
        engine.localLayout.reset();  // a failed analysis leaves no stale layout to save
        if (image == nullptr || options != 0 || !engine.reader.ready()) return -1;
        const GreyPage page = GreyPageOf(*image, false);
        if (!page.grey) return -1;
        if (progress != nullptr && progress->report != nullptr && progress->report(progress->context, 0) != 0) {
          return -1;
        }
        LayoutTemplate layout;
        layout.pageWidth = pixGetWidth(page.grey.get());
        layout.pageHeight = pixGetHeight(page.grey.get());
        layout.items = engine.reader.AnalyseLayout(page.grey.get(), page.dpi, rect);
        engine.localLayout = std::move(layout);
        if (progress != nullptr && progress->report != nullptr) progress->report(progress->context, 100);
        return static_cast<int>(engine.localLayout->items.size());
      },
      -1);
}

PALEN_API int PALEN_SaveLayerTemplate_WithLocal(const char* path) {
  return Guarded(
      [&]() -> int {
        if (path == nullptr) return -1;
        Engine& engine = TheEngine();
        std::lock_guard guard(engine.lock);
        if (!engine.localLayout) return -1;
        return WriteLayoutTemplate(path, *engine.localLayout) ? 0 : -1;
      },
      -1);
}

PALEN_API char* PALEN_Recognize_WithLocal(VxGlobalHandle image, PalenResultBuffers* result, PalenAuxResult* aux,
                                          const char* templatePath, int fillResult, int draw, int keepLines,
                                          int fillCharacters, int fillItemTexts, PalenDrawTarget* dc,
                                          const PalenPoint* origin, const PalenRect* placement, float scale,
                                          int (*itemDone)(int), int maxItems, const PalenProgress* progress) {
  return Guarded(
      [&]() -> char* {
        Engine& engine = TheEngine();
        std::lock_guard guard(engine.lock);
        if (!engine.reader.ready()) return nullptr;
        const std::optional<LayoutTemplate> layout =
            templatePath != nullptr ? ReadLayoutTemplate(templatePath) : engine.localLayout;
        if (!layout) return nullptr;
        const GreyPage page = GreyPageOf(image, engine.dpiCheck);
        if (!page.grey || pixGetWidth(page.grey.get()) != layout->pageWidth ||
            pixGetHeight(page.grey.get()) != layout->pageHeight) {
          return nullptr;
        }
        std::vector<PalenLayoutItem> items = layout->items;
        if (maxItems > 0 && static_cast<std::size_t>(maxItems) < items.size()) items.resize(maxItems);
        return ReadAndDeliver(
            engine, page, items, result, aux,
            Switches{fillResult != 0, draw != 0, keepLines != 0, fillCharacters != 0, fillItemTexts != 0},
            Placement{dc, origin, placement, scale}, ReadOptions{progress, itemDone});
      },
      nullptr);
}

PALEN_API void PALEN_FreeText(char* text) {
  Guarded([&] { std::free(text); });
}

}  // extern "C"
