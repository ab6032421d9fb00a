#include "platform/sys/global_memory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

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
  const orvilo::sys::GlobalBlock copy = orvilo::sys::GlobalBlockWith("page", 5);
  ASSERT_TRUE(copy);
  EXPECT_EQ(VxGlobalSize(copy.get()), 5u);
  EXPECT_STREQ(static_cast<const char*>(orvilo::sys::GlobalLock(copy.get()).bytes()), "page");
  // No bytes: a zero-filled block of the size; no size: an empty block.
  const orvilo::sys::GlobalBlock zeros = orvilo::sys::GlobalBlockWith(nullptr, 3);
  EXPECT_EQ(static_cast<const char*>(orvilo::sys::GlobalLock(zeros.get()).bytes())[2], 0);
  const orvilo::sys::GlobalBlock empty = orvilo::sys::GlobalBlockWith("x", 0);
  ASSERT_TRUE(empty);
  EXPECT_EQ(VxGlobalSize(empty.get()), 0u);
}

// Whether the owner really frees is seen by the sanitizer build's leak check.
TEST(GlobalMemory, OwnerHasOneBlockAndHandsItOnOnlyByRelease) {
  orvilo::sys::GlobalBlock first = orvilo::sys::GlobalBlock::Allocate(VX_GHND, 16);
  ASSERT_TRUE(first);
  const VxGlobalHandle handle = first.get();

  orvilo::sys::GlobalBlock second(std::move(first));
  EXPECT_FALSE(first) << "a moved-from owner holds nothing";
  EXPECT_EQ(second.get(), handle);

  orvilo::sys::GlobalBlock third = orvilo::sys::GlobalBlock::Allocate(VX_GHND, 4);
  third = std::move(second);  // frees third's own block, takes the first one
  EXPECT_EQ(third.get(), handle);

  const VxGlobalHandle handedOn = third.release();
  EXPECT_FALSE(third);
  EXPECT_EQ(VxGlobalSize(handedOn), 16u) << "released, not freed";
  third.reset(handedOn);
  third.reset();  // frees it
  EXPECT_FALSE(third);

  EXPECT_FALSE(orvilo::sys::GlobalBlock::Allocate(VX_GHND, ~size_t{0})) << "an absurd size gives no block";
}
