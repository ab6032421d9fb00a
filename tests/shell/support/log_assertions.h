// Assertions over a CallLog.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "recorder.h"

namespace orvilo::shell::testing {

// True when `calls` appear in the log in this order (others may lie between).
inline ::testing::AssertionResult HasInOrder(const CallLog& log, const std::vector<std::string>& calls) {
  auto next = log.begin();
  for (const auto& call : calls) {
    next = std::find(next, log.end(), call);
    if (next == log.end()) {
      std::string all;
      for (const auto& entry : log) all += "\n  " + entry;
      return ::testing::AssertionFailure() << "missing (in order) \"" << call << "\"; log:" << all;
    }
    ++next;
  }
  return ::testing::AssertionSuccess();
}

inline bool Contains(const CallLog& log, const std::string& call) {
  return std::find(log.begin(), log.end(), call) != log.end();
}

}  // namespace orvilo::shell::testing
