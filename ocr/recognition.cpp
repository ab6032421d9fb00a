// Recognition: a rectangle of a page, the whole page, or the whole page
// through a layout template.
#include <unistd.h>

#include <array>
#include <memory>
#include <string>

#include "engines/palen/PalenPublicAPI.h"
#include "ocr/LEXIQ.h"
#include "ocr/engine_records.h"
#include "ocr/module_state.h"
#include "platform/abi/exception_barrier.h"
#include "platform/sys/global_memory.h"
#include "platform/sys/program_folder.h"

namespace lexiq {
namespace {

constexpr int kMaximumLayoutItems = 200;
constexpr int kResultCapacity = 8192;  // UTF-16 units
constexpr const char* kTemplateName = "Template.ltf";

// Pen the whole-page recognition outlines the recognised areas with.
constexpr std::uint32_t kOutlineColour = 0x00FFFF00;  // red 0, green 255, blue 255
constexpr std::int32_t kOutlineWidth = 2;

using LayoutItems = std::array<CLayerItemScript, kMaximumLayoutItems>;

// Character set the recognition type asks for; other types keep the engine's.
void ApplyType(LayoutItems& items, int count, int type) {
  int characterSet = 0;
  switch (type) {
    case LEXIQ_TYPE_KOREAN_ENGLISH_HANJA:
      characterSet = 595;
      break;
    case LEXIQ_TYPE_KOREAN_ENGLISH:
      characterSet = 83;
      break;
    case LEXIQ_TYPE_ENGLISH:
      characterSet = 19;
      break;
  }
  for (int i = 0; i < count; ++i) {
    if (characterSet != 0) items[i].characterSet = characterSet;
    items[i].recognise = 1;
  }
}

// Result buffers as the engine expects them before a recognition.
void PrepareResult(CRecogResultStruct& result) {
  result.textBuffer = VxGlobalAlloc(VX_GHND, kResultCapacity * 2);
  result.confidenceBuffer = VxGlobalAlloc(VX_GHND, kResultCapacity * 2);
  result.capacity = kResultCapacity;
  result.count = 0;
}

// Engine text as UTF-8 (empty for none); frees the engine's text.
std::string TakeEngineText(char* text) {
  const std::unique_ptr<char, decltype(&PALEN_FreeText)> owned(text, &PALEN_FreeText);
  return text != nullptr ? std::string(text) : std::string();
}

VxSysString WideText(const std::string& utf8) { return VxSysAllocStringFromUtf8(utf8.data(), utf8.size()); }

VxSysString RecognizeRectangle(VxGlobalHandle image, int type, const PalenRect& rect, int outputs) {
  if (!State().ready) return nullptr;
  if (image == nullptr) return WideText({});
  UseKoreanWithEnglish(nullptr);
  PALEN_EnableDPICheck(0);
  const orvilo::sys::GlobalBlock crop(PALEN_CropImage(image, &rect));
  if (!crop) return WideText({});
  LayoutItems items;
  const int count =
      PALEN_AutoSpliteLayout(crop.get(), EngineItems(items.data()), kMaximumLayoutItems, nullptr, nullptr);
  ApplyType(items, count, type);
  std::string text;
  {
    CRecogResultStruct result;
    PrepareResult(result);
    if (count > 0) {
      text = TakeEngineText(PALEN_GetTextForRect(crop.get(), EngineResult(&result), EngineItems(items.data()), count,
                                                 outputs, outputs, outputs, 0, 0, nullptr, nullptr, nullptr, 0.0f));
    }
  }
  return WideText(text);
}

// Selects the outline pen into a caller's target for the life of the holder.
class SelectedPen {
 public:
  explicit SelectedPen(LexiqDrawTarget* target) : target_(target) {
    if (target_ == nullptr) return;
    saved_ = *target_;
    target_->penColour = kOutlineColour;
    target_->penWidth = kOutlineWidth;
    target_->penMode = 1;
  }
  ~SelectedPen() {
    if (target_ == nullptr) return;
    target_->penColour = saved_.penColour;
    target_->penWidth = saved_.penWidth;
    target_->penMode = saved_.penMode;
  }
  SelectedPen(const SelectedPen&) = delete;
  SelectedPen& operator=(const SelectedPen&) = delete;

 private:
  LexiqDrawTarget* target_;
  LexiqDrawTarget saved_{};
};

}  // namespace
}  // namespace lexiq

using lexiq::State;
using orvilo::abi::Guarded;

extern "C" {

LEXIQ_API VxSysString LEXIQ_RecogDIBRect(VxGlobalHandle image, int type, int left, int top, int right, int bottom) {
  return Guarded([&] { return lexiq::RecognizeRectangle(image, type, PalenRect{left, top, right, bottom}, 0); },
                 nullptr);
}

LEXIQ_API VxSysString LEXIQ_RecogDIB(VxGlobalHandle image, int type, int left, int top, int right, int bottom) {
  return Guarded([&] { return lexiq::RecognizeRectangle(image, type, PalenRect{left, top, right, bottom}, 1); },
                 nullptr);
}

LEXIQ_API VxSysString LEXIQ_RecogText(VxGlobalHandle image, int type, LexiqDrawTarget* dc, const LexiqRect* rect,
                                      float scale) {
  return Guarded(
      [&]() -> VxSysString {
        lexiq::ModuleState& state = State();
        if (!state.ready) return nullptr;
        state.currentResult.clear();
        if (image != nullptr) {
          lexiq::LayoutItems items;
          const int count = PALEN_AutoSpliteLayout(image, lexiq::EngineItems(items.data()),
                                                   lexiq::kMaximumLayoutItems, nullptr, nullptr);
          lexiq::ApplyType(items, count, type);
          CRecogResultStruct result;
          lexiq::PrepareResult(result);
          const lexiq::SelectedPen pen(dc);
          if (count > 0) {
            char* text = PALEN_GetTextForRect(image, lexiq::EngineResult(&result), lexiq::EngineItems(items.data()),
                                              count, 1, 1, 1, 0, 0, lexiq::EngineTarget(dc), nullptr,
                                              lexiq::EngineRect(rect), scale);
            state.currentResult = lexiq::TakeEngineText(text);
          }
        }
        return lexiq::WideText(state.currentResult);
      },
      nullptr);
}

LEXIQ_API VxSysString LEXIQ_RecogTextEx(VxGlobalHandle image, CRecogResultStruct* result, CAuxResult* aux) {
  return Guarded(
      [&]() -> VxSysString {
        lexiq::ModuleState& state = State();
        if (!state.ready) return nullptr;
        state.currentResult.clear();
        if (image != nullptr) {
          const std::string layoutTemplate = orvilo::sys::JoinPath(lexiq::ModuleFolder(), lexiq::kTemplateName);
          unlink(layoutTemplate.c_str());
          VxGlobalHandle local = image;
          PALEN_AutoSpliteLayout_WithLocal(&local, nullptr, 0, nullptr);
          PALEN_SaveLayerTemplate_WithLocal(layoutTemplate.c_str());
          char* text = PALEN_Recognize_WithLocal(image, lexiq::EngineResult(result), lexiq::EngineAux(aux),
                                                 layoutTemplate.c_str(), 1, 1, 1, 1, 1, nullptr, nullptr, nullptr,
                                                 1.0f, nullptr, 0, nullptr);
          state.currentResult = lexiq::TakeEngineText(text);
        }
        return lexiq::WideText(state.currentResult);
      },
      nullptr);
}

}  // extern "C"
