#include "engines/sonara/block_cutter.h"

#include <algorithm>

namespace orvilo::sonara {

BlockCutter::BlockCutter(std::size_t maxBlockSamples, Emit emit)
    : maxBlock_(std::max<std::size_t>(1, maxBlockSamples)), emit_(std::move(emit)) {}

void BlockCutter::Mark(const WordMark& mark) {
  if (mark.sample <= blockStart_ && pending_.empty()) {
    blockMark_ = mark;  // the block about to start begins with this word
    return;
  }
  const std::int64_t at = std::max(mark.sample, pushed_);  // a late mark starts with the next sample
  if (!marks_.empty() && marks_.back().sample >= at) marks_.pop_back();
  marks_.push_back(mark);
  marks_.back().sample = at;
}

std::int64_t BlockCutter::BlockLimit() const {
  std::int64_t limit = blockStart_ + static_cast<std::int64_t>(maxBlock_);
  if (!marks_.empty()) limit = std::min(limit, marks_.front().sample);
  return limit;
}

bool BlockCutter::Push(const std::int16_t* samples, std::size_t count) {
  if (refused_) return false;
  pending_.insert(pending_.end(), samples, samples + count);
  pushed_ += static_cast<std::int64_t>(count);
  while (!refused_) {
    const std::int64_t limit = BlockLimit();
    if (pushed_ < limit) break;
    if (!EmitBlock(static_cast<std::size_t>(limit - blockStart_))) return false;
  }
  return !refused_;
}

bool BlockCutter::Flush() {
  if (refused_) return false;
  return pending_.empty() || EmitBlock(pending_.size());
}

bool BlockCutter::EmitBlock(std::size_t count) {
  if (count > 0) {
    const WordMark* mark = blockMark_ ? &*blockMark_ : nullptr;
    if (!emit_(pending_.data(), count, mark)) refused_ = true;
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(count));
    blockStart_ += static_cast<std::int64_t>(count);
    blockMark_.reset();
  }
  if (!marks_.empty() && marks_.front().sample <= blockStart_) {
    blockMark_ = marks_.front();
    marks_.pop_front();
  }
  return !refused_;
}

}  // namespace orvilo::sonara
