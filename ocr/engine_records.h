// The module's exported records are the engine's records under the names
// callers know: same fields, same layout, checked here at compile time, so
// they are handed to the engine as they are.
#pragma once

#include <cstddef>

#include "engines/palen/PalenPublicAPI.h"
#include "ocr/LEXIQ.h"

namespace lexiq {

#define LEXIQ_SAME_FIELD(Ours, Engines, ours, engines) \
  static_assert(offsetof(Ours, ours) == offsetof(Engines, engines), #Ours "." #ours " moved")

static_assert(sizeof(CLayerItemScript) == 40 && sizeof(PalenLayoutItem) == 40);
LEXIQ_SAME_FIELD(CLayerItemScript, PalenLayoutItem, characterSet, characterSet);
LEXIQ_SAME_FIELD(CLayerItemScript, PalenLayoutItem, recognise, recognise);
LEXIQ_SAME_FIELD(CLayerItemScript, PalenLayoutItem, bottom, bottom);
LEXIQ_SAME_FIELD(CLayerItemScript, PalenLayoutItem, reserved, reserved);

static_assert(sizeof(CCharRectInfo) == 64 && sizeof(PalenCharRect) == 64);
LEXIQ_SAME_FIELD(CCharRectInfo, PalenCharRect, codePoint, codePoint);
LEXIQ_SAME_FIELD(CCharRectInfo, PalenCharRect, textOffset, textOffset);
LEXIQ_SAME_FIELD(CCharRectInfo, PalenCharRect, flags, flags);

static_assert(sizeof(CRecogResultStruct) == sizeof(PalenResultBuffers));
static_assert(sizeof(CRecogResultStruct) == 2 * sizeof(void*) + 8);
LEXIQ_SAME_FIELD(CRecogResultStruct, PalenResultBuffers, textBuffer, text);
LEXIQ_SAME_FIELD(CRecogResultStruct, PalenResultBuffers, confidenceBuffer, confidence);
LEXIQ_SAME_FIELD(CRecogResultStruct, PalenResultBuffers, capacity, capacity);
LEXIQ_SAME_FIELD(CRecogResultStruct, PalenResultBuffers, count, count);

static_assert(sizeof(CAuxResult) == sizeof(PalenAuxResult));
LEXIQ_SAME_FIELD(CAuxResult, PalenAuxResult, itemTexts.items, itemTexts.items);
LEXIQ_SAME_FIELD(CAuxResult, PalenAuxResult, itemTexts.count, itemTexts.count);
LEXIQ_SAME_FIELD(CAuxResult, PalenAuxResult, itemTexts.capacity, itemTexts.capacity);
LEXIQ_SAME_FIELD(CAuxResult, PalenAuxResult, textBuffer, text);
LEXIQ_SAME_FIELD(CAuxResult, PalenAuxResult, characterBuffer, characters);

static_assert(sizeof(LexiqDrawTarget) == sizeof(PalenDrawTarget));
LEXIQ_SAME_FIELD(LexiqDrawTarget, PalenDrawTarget, stride, stride);
LEXIQ_SAME_FIELD(LexiqDrawTarget, PalenDrawTarget, penMode, penMode);
static_assert(sizeof(LexiqRect) == sizeof(PalenRect));

#undef LEXIQ_SAME_FIELD

inline PalenLayoutItem* EngineItems(CLayerItemScript* items) { return reinterpret_cast<PalenLayoutItem*>(items); }
inline PalenResultBuffers* EngineResult(CRecogResultStruct* result) {
  return reinterpret_cast<PalenResultBuffers*>(result);
}
inline PalenAuxResult* EngineAux(CAuxResult* aux) { return reinterpret_cast<PalenAuxResult*>(aux); }
inline PalenDrawTarget* EngineTarget(LexiqDrawTarget* target) { return reinterpret_cast<PalenDrawTarget*>(target); }
inline const PalenRect* EngineRect(const LexiqRect* rect) { return reinterpret_cast<const PalenRect*>(rect); }

}  // namespace lexiq
