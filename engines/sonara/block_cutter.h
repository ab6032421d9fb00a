// Cuts a stream of samples into the blocks handed to a caller: at most a
// given size, and, when words are marked, cut where each word starts so
// that the block that begins a word carries that word.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace orvilo::sonara {

struct WordMark {
  std::int32_t wordIndex;
  std::int64_t sample;       // where the word starts in the stream
  std::int32_t firstByte;    // in the caller's text
  std::int32_t lastByte;     // inclusive
};

class BlockCutter {
 public:
  // Returns false to end the stream (nothing more is emitted).
  using Emit = std::function<bool(const std::int16_t* samples, std::size_t count, const WordMark* mark)>;

  BlockCutter(std::size_t maxBlockSamples, Emit emit);

  // Marks must come in order of their sample and before the samples they
  // point at were pushed. Two marks on one sample: the later one counts.
  void Mark(const WordMark& mark);
  // Emits every block that is complete. False once emitting was refused.
  bool Push(const std::int16_t* samples, std::size_t count);
  // Emits what is pending as a (shorter) block.
  bool Flush();

 private:
  bool EmitBlock(std::size_t count);
  std::int64_t BlockLimit() const;

  std::size_t maxBlock_;
  Emit emit_;
  std::vector<std::int16_t> pending_;  // samples from blockStart_ on
  std::int64_t blockStart_ = 0;
  std::int64_t pushed_ = 0;
  std::optional<WordMark> blockMark_;  // the word the current block begins
  std::deque<WordMark> marks_;         // later words
  bool refused_ = false;
};

}  // namespace orvilo::sonara
