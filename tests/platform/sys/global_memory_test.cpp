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

TEST(GlobalMemory, LockHolderUnlocksWhenItGoes) {
  VxGlobalHandle block = VxGlobalAlloc(VX_GHND, 8);
  {
    const orvilo::sys::GlobalLock lock(block);
    ASSERT_NE(lock.bytes(), nullptr);
    EXPECT_EQ(lock.size(), 8u);
    EXPECT_EQ(VxGlobalLock(block), lock.bytes());
    EXPECT_EQ(VxGlobalUnlock(block), 1) << "held once by the holder";
  }
  VxGlobalLock(block);
  EXPECT_EQ(VxGlobalUnlock(block), 0) << "released by the holder";
  const orvilo::sys::GlobalLock none(nullptr);
  EXPECT_EQ(none.bytes(), nullptr);
  EXPECT_EQ(none.size(), 0u);
  VxGlobalFree(block);
}

TEST(GlobalMemory, BlockWithCopiesTheBytes) {
  VxGlobalHandle copy = orvilo::sys::GlobalBlockWith("page", 5);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(VxGlobalSize(copy), 5u);
  EXPECT_STREQ(static_cast<const char*>(orvilo::sys::GlobalLock(copy).bytes()), "page");
  VxGlobalFree(copy);
  // No bytes: a zero-filled block of the size; no size: an empty block.
  VxGlobalHandle zeros = orvilo::sys::GlobalBlockWith(nullptr, 3);
  EXPECT_EQ(static_cast<const char*>(orvilo::sys::GlobalLock(zeros).bytes())[2], 0);
  VxGlobalFree(zeros);
  VxGlobalHandle empty = orvilo::sys::GlobalBlockWith("x", 0);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(VxGlobalSize(empty), 0u);
  VxGlobalFree(empty);
}
