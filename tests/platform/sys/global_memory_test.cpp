#include "platform/sys/global_memory.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(GlobalMemory, ZeroInitialisedBlockKeepsItsSizeAndBytes) {
  VxGlobalHandle block = VxGlobalAlloc(VX_GHND, 1000);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(VxGlobalSize(block), 1000u);
  auto* bytes = static_cast<unsigned char*>(VxGlobalLock(block));
  ASSERT_NE(bytes, nullptr);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(bytes[i], 0);
  std::memset(bytes, 0xAB, 1000);
  EXPECT_EQ(VxGlobalUnlock(block), 0);
  auto* again = static_cast<unsigned char*>(VxGlobalLock(block));
  EXPECT_EQ(again[999], 0xAB);
  VxGlobalUnlock(block);
  EXPECT_EQ(VxGlobalFree(block), nullptr);
}

TEST(GlobalMemory, LockCountsNestAndNeverGoNegative) {
  VxGlobalHandle block = VxGlobalAlloc(VX_GMEM_MOVEABLE, 16);
  VxGlobalLock(block);
  VxGlobalLock(block);
  EXPECT_EQ(VxGlobalUnlock(block), 1);
  EXPECT_EQ(VxGlobalUnlock(block), 0);
  EXPECT_EQ(VxGlobalUnlock(block), 0);
  VxGlobalFree(block);
}

TEST(GlobalMemory, NullAndHostileRequestsFailCleanly) {
  EXPECT_EQ(VxGlobalLock(nullptr), nullptr);
  EXPECT_EQ(VxGlobalSize(nullptr), 0u);
  EXPECT_EQ(VxGlobalUnlock(nullptr), 0);
  EXPECT_EQ(VxGlobalFree(nullptr), nullptr);
  EXPECT_EQ(VxGlobalAlloc(VX_GHND, ~size_t{0}), nullptr);
  VxGlobalHandle empty = VxGlobalAlloc(VX_GHND, 0);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(VxGlobalSize(empty), 0u);
  VxGlobalFree(empty);
}

TEST(GlobalMemory, ForeignPointerIsRefusedNotFreed) {
  alignas(16) unsigned char notABlock[64] = {};
  auto handle = reinterpret_cast<VxGlobalHandle>(notABlock);
  EXPECT_EQ(VxGlobalLock(handle), nullptr);
  EXPECT_EQ(VxGlobalFree(handle), handle);
}
