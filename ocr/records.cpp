// The exported records' life cycle: who frees their buffers, and copies
// that never share a buffer (two owners of one block would free it twice).
#include <cstdlib>

#include "ocr/LEXIQ.h"
#include "platform/abi/exception_barrier.h"
#include "platform/sys/global_memory.h"

namespace {

// New block of the source block's size with its bytes; null for null.
VxGlobalHandle CopyOfBlock(VxGlobalHandle source) {
  if (source == nullptr) return nullptr;
  const orvilo::sys::GlobalLock from(source);
  return orvilo::sys::GlobalBlockWith(from.bytes(), VxGlobalSize(source)).release();
}

void FreeBlock(VxGlobalHandle& block) {
  if (block == nullptr) return;
  VxGlobalUnlock(block);
  VxGlobalFree(block);
  block = nullptr;
}

void ReleaseStrings(LexiqStringArray& strings) {
  if (strings.items != nullptr) {
    for (int32_t i = 0; i < strings.count; ++i) VxSysFreeString(strings.items[i]);
  }
  std::free(strings.items);
  strings = LexiqStringArray{};
}

LexiqStringArray CopyOfStrings(const LexiqStringArray& source) {
  LexiqStringArray copy{};
  if (source.items == nullptr || source.count <= 0) return copy;
  copy.items = static_cast<VxSysString*>(std::calloc(static_cast<std::size_t>(source.count), sizeof(VxSysString)));
  if (copy.items == nullptr) return copy;
  copy.capacity = source.count;
  for (int32_t i = 0; i < source.count; ++i) {
    copy.items[copy.count++] = VxSysAllocStringLen(source.items[i], VxSysStringLen(source.items[i]));
  }
  return copy;
}

}  // namespace

extern "C" {

LEXIQ_API void LEXIQ_ReleaseRecogResult(CRecogResultStruct* result) {
  orvilo::abi::Guarded([&] {
    if (result == nullptr) return;
    FreeBlock(result->textBuffer);
    FreeBlock(result->confidenceBuffer);
    result->capacity = 0;
    result->count = 0;
  });
}

LEXIQ_API void LEXIQ_ReleaseAuxResult(CAuxResult* aux) {
  orvilo::abi::Guarded([&] {
    if (aux == nullptr) return;
    ReleaseStrings(aux->itemTexts);
    FreeBlock(aux->textBuffer);
    FreeBlock(aux->characterBuffer);
  });
}

}  // extern "C"

CLayerItemScript::CLayerItemScript()
    : characterSet(0), kind(0), recognise(0), left(0), top(0), right(0), bottom(0), order(0), lineCount(0), reserved(0) {}

CRecogResultStruct::CRecogResultStruct() : textBuffer(nullptr), confidenceBuffer(nullptr), capacity(0), count(0) {}

CRecogResultStruct::~CRecogResultStruct() { LEXIQ_ReleaseRecogResult(this); }

CRecogResultStruct::CRecogResultStruct(const CRecogResultStruct& other)
    : textBuffer(CopyOfBlock(other.textBuffer)),
      confidenceBuffer(CopyOfBlock(other.confidenceBuffer)),
      capacity(other.capacity),
      count(other.count) {}

CRecogResultStruct& CRecogResultStruct::operator=(const CRecogResultStruct& other) {
  if (this == &other) return *this;
  LEXIQ_ReleaseRecogResult(this);
  textBuffer = CopyOfBlock(other.textBuffer);
  confidenceBuffer = CopyOfBlock(other.confidenceBuffer);
  capacity = other.capacity;
  count = other.count;
  return *this;
}

CAuxResult::CAuxResult()
    : itemTexts{}, textBuffer(VxGlobalAlloc(VX_GHND, 2)), characterBuffer(nullptr) {}

CAuxResult::~CAuxResult() { LEXIQ_ReleaseAuxResult(this); }

CAuxResult::CAuxResult(const CAuxResult& other)
    : itemTexts(CopyOfStrings(other.itemTexts)),
      textBuffer(CopyOfBlock(other.textBuffer)),
      characterBuffer(CopyOfBlock(other.characterBuffer)) {}

CAuxResult& CAuxResult::operator=(const CAuxResult& other) {
  if (this == &other) return *this;
  LEXIQ_ReleaseAuxResult(this);
  itemTexts = CopyOfStrings(other.itemTexts);
  textBuffer = CopyOfBlock(other.textBuffer);
  characterBuffer = CopyOfBlock(other.characterBuffer);
  return *this;
}
