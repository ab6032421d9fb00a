#include "engines/sonara/block_cutter.h"

#include <gtest/gtest.h>

#include <numeric>

namespace orvilo::sonara {
namespace {

struct Block {
  std::int16_t first;  // the stream position of its first sample (samples count 0, 1, 2, ...)
  std::size_t count;
  int word;            // -1: no mark
};

class BlockCutterTest : public ::testing::Test {
 protected:
  BlockCutter MakeCutter(std::size_t maxBlock, int refuseAfter = -1) {
    return BlockCutter(maxBlock, [this, refuseAfter](const std::int16_t* samples, std::size_t count,
                                                     const WordMark* mark) {
      blocks.push_back({samples[0], count, mark != nullptr ? mark->wordIndex : -1});
      return refuseAfter < 0 || static_cast<int>(blocks.size()) < refuseAfter;
    });
  }
  bool PushCount(BlockCutter& cutter, std::size_t count) {
    std::vector<std::int16_t> samples(count);
    std::iota(samples.begin(), samples.end(), static_cast<std::int16_t>(next));
    next += count;
    return cutter.Push(samples.data(), samples.size());
  }
  static WordMark Word(int index, std::int64_t sample) { return {index, sample, 0, 0}; }

  std::vector<Block> blocks;
  std::size_t next = 0;
};

TEST_F(BlockCutterTest, CutsAtTheLimitWithoutMarks) {
  BlockCutter cutter = MakeCutter(100);
  PushCount(cutter, 250);
  cutter.Flush();
  ASSERT_EQ(blocks.size(), 3u);
  EXPECT_EQ(blocks[0].count, 100u);
  EXPECT_EQ(blocks[1].first, 100);
  EXPECT_EQ(blocks[2].count, 50u);
  EXPECT_EQ(blocks[2].word, -1);
}

TEST_F(BlockCutterTest, EachWordStartsABlockThatCarriesIt) {
  BlockCutter cutter = MakeCutter(100);
  cutter.Mark(Word(0, 0));
  cutter.Mark(Word(1, 30));
  cutter.Mark(Word(2, 180));
  PushCount(cutter, 200);
  cutter.Flush();
  ASSERT_EQ(blocks.size(), 4u);
  EXPECT_EQ(blocks[0].word, 0);
  EXPECT_EQ(blocks[0].count, 30u);
  EXPECT_EQ(blocks[1].first, 30);
  EXPECT_EQ(blocks[1].word, 1);
  EXPECT_EQ(blocks[1].count, 100u);  // the limit still holds inside a word
  EXPECT_EQ(blocks[2].first, 130);
  EXPECT_EQ(blocks[2].word, -1);
  EXPECT_EQ(blocks[3].first, 180);
  EXPECT_EQ(blocks[3].word, 2);
}

TEST_F(BlockCutterTest, ALaterMarkOnTheSameSampleWins) {
  BlockCutter cutter = MakeCutter(1000);
  cutter.Mark(Word(0, 0));
  cutter.Mark(Word(1, 0));
  cutter.Mark(Word(2, 50));
  cutter.Mark(Word(3, 50));
  PushCount(cutter, 80);
  cutter.Flush();
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0].word, 1);
  EXPECT_EQ(blocks[1].word, 3);
}

TEST_F(BlockCutterTest, FlushEmitsPendingAndKeepsMarksForLater) {
  BlockCutter cutter = MakeCutter(1000);
  cutter.Mark(Word(0, 0));
  PushCount(cutter, 40);
  cutter.Flush();  // the end of a piece
  cutter.Mark(Word(1, 60));
  PushCount(cutter, 40);
  cutter.Flush();
  ASSERT_EQ(blocks.size(), 3u);
  EXPECT_EQ(blocks[0].count, 40u);
  EXPECT_EQ(blocks[1].first, 40);
  EXPECT_EQ(blocks[1].word, -1);
  EXPECT_EQ(blocks[2].first, 60);
  EXPECT_EQ(blocks[2].word, 1);
}

TEST_F(BlockCutterTest, ARefusalEndsTheStream) {
  BlockCutter cutter = MakeCutter(10, 2);
  EXPECT_FALSE(PushCount(cutter, 100));
  EXPECT_EQ(blocks.size(), 2u);
  EXPECT_FALSE(cutter.Flush());
  EXPECT_FALSE(PushCount(cutter, 10));
  EXPECT_EQ(blocks.size(), 2u);
}

}  // namespace
}  // namespace orvilo::sonara
