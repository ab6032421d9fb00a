#include <gtest/gtest.h>

#include <cstring>

#include "ocr/LEXIQ.h"
#include "platform/sys/global_memory.h"
#include "platform/sys/system_string.h"

extern "C" int LexiqRecordSizesSeenFromC(int which);

namespace {

VxGlobalHandle BlockWith(const char* text) {
  const std::size_t size = std::strlen(text) + 1;
  VxGlobalHandle block = VxGlobalAlloc(VX_GHND, size);
  std::memcpy(VxGlobalLock(block), text, size);
  VxGlobalUnlock(block);
  return block;
}

std::string TextOf(VxGlobalHandle block) {
  const auto* text = static_cast<const char*>(VxGlobalLock(block));
  std::string copy = text != nullptr ? text : "<none>";
  VxGlobalUnlock(block);
  return copy;
}

TEST(LexiqRecordsTest, HaveTheirSizesInCAndCxx) {
  EXPECT_EQ(sizeof(CLayerItemScript), 40u);
  EXPECT_EQ(sizeof(CCharRectInfo), 64u);
  // Two buffer handles and two 32-bit counts: 16 bytes with 32-bit pointers.
  EXPECT_EQ(sizeof(CRecogResultStruct), 2 * sizeof(void*) + 8);
  EXPECT_EQ(LexiqRecordSizesSeenFromC(0), 40);
  EXPECT_EQ(LexiqRecordSizesSeenFromC(1), 64);
  EXPECT_EQ(LexiqRecordSizesSeenFromC(2), static_cast<int>(sizeof(CRecogResultStruct)));
  EXPECT_EQ(LexiqRecordSizesSeenFromC(3), static_cast<int>(sizeof(CAuxResult)));
}

TEST(LexiqRecordsTest, NewRecordsAreEmpty) {
  const CLayerItemScript item;
  const CLayerItemScript zero = [] {
    CLayerItemScript bytes;
    std::memset(static_cast<void*>(&bytes), 0, sizeof bytes);
    return bytes;
  }();
  EXPECT_EQ(std::memcmp(&item, &zero, sizeof item), 0);

  const CRecogResultStruct result;
  EXPECT_EQ(result.textBuffer, nullptr);
  EXPECT_EQ(result.confidenceBuffer, nullptr);
  EXPECT_EQ(result.capacity, 0);
  EXPECT_EQ(result.count, 0);

  const CAuxResult aux;
  ASSERT_EQ(VxGlobalSize(aux.textBuffer), 2u);
  EXPECT_EQ(*static_cast<const char16_t*>(VxGlobalLock(aux.textBuffer)), u'\0');
  VxGlobalUnlock(aux.textBuffer);
  EXPECT_EQ(aux.characterBuffer, nullptr);
  EXPECT_EQ(aux.itemTexts.count, 0);
}

TEST(LexiqRecordsTest, ResultCopiesOwnTheirBuffers) {
  CRecogResultStruct source;
  source.textBuffer = BlockWith("text");
  source.confidenceBuffer = BlockWith("sure");
  source.capacity = 8192;
  source.count = 4;
  CRecogResultStruct target;
  target.textBuffer = BlockWith("old");
  target = source;
  CRecogResultStruct constructed(source);
  for (const CRecogResultStruct* copy : {&target, &constructed}) {
    EXPECT_NE(copy->textBuffer, source.textBuffer);
    EXPECT_NE(copy->confidenceBuffer, source.confidenceBuffer);
    EXPECT_EQ(TextOf(copy->textBuffer), "text");
    EXPECT_EQ(TextOf(copy->confidenceBuffer), "sure");
    EXPECT_EQ(copy->capacity, 8192);
    EXPECT_EQ(copy->count, 4);
  }
  target = target;
  EXPECT_EQ(TextOf(target.textBuffer), "text");
}  // each record frees its own blocks: no double free, no leak

TEST(LexiqRecordsTest, AuxCopiesOwnTheirStringsAndBuffers) {
  CAuxResult source;
  source.itemTexts.items = static_cast<VxSysString*>(std::calloc(2, sizeof(VxSysString)));
  source.itemTexts.items[0] = VxSysAllocStringFromUtf8("첫째", std::strlen("첫째"));
  source.itemTexts.items[1] = VxSysAllocStringFromUtf8("second", 6);
  source.itemTexts.count = source.itemTexts.capacity = 2;
  VxGlobalFree(source.textBuffer);
  source.textBuffer = BlockWith("whole");
  source.characterBuffer = nullptr;

  CAuxResult target;
  target.characterBuffer = BlockWith("stale");
  target = source;
  CAuxResult constructed(source);
  for (const CAuxResult* copy : {&target, &constructed}) {
    ASSERT_EQ(copy->itemTexts.count, 2);
    EXPECT_NE(copy->itemTexts.items, source.itemTexts.items);
    EXPECT_EQ(orvilo::sys::SysStringToUtf8(copy->itemTexts.items[0]), "첫째");
    EXPECT_EQ(orvilo::sys::SysStringToUtf8(copy->itemTexts.items[1]), "second");
    EXPECT_NE(copy->textBuffer, source.textBuffer);
    EXPECT_EQ(TextOf(copy->textBuffer), "whole");
    EXPECT_EQ(copy->characterBuffer, nullptr);
  }
}

TEST(LexiqRecordsTest, ReleaseEmptiesARecordForC) {
  CRecogResultStruct result;
  result.textBuffer = BlockWith("text");
  result.count = 4;
  LEXIQ_ReleaseRecogResult(&result);
  EXPECT_EQ(result.textBuffer, nullptr);
  EXPECT_EQ(result.count, 0);
  CAuxResult aux;
  LEXIQ_ReleaseAuxResult(&aux);
  EXPECT_EQ(aux.textBuffer, nullptr);
  LEXIQ_ReleaseRecogResult(nullptr);
  LEXIQ_ReleaseAuxResult(nullptr);
}

}  // namespace
