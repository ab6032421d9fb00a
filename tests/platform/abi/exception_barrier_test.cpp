#include "platform/abi/exception_barrier.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>

namespace {

using orvilo::abi::Guarded;

struct Case {
  const char* label;
  void (*body)();  // throws or returns
  bool throws;
};

void Returns() {}
void ThrowsOutOfMemory() { throw std::bad_alloc(); }
void ThrowsLogicError() { throw std::out_of_range("index"); }
void ThrowsAnything() { throw 42; }

class ExceptionBarrierTest : public testing::TestWithParam<Case> {};

TEST_P(ExceptionBarrierTest, AThrowBecomesTheFailureResultAndNothingElse) {
  const Case& c = GetParam();
  int recorded = 0;
  const int result = Guarded(
      [&]() -> int {
        c.body();
        return 7;
      },
      -17, [&]() noexcept { ++recorded; });
  EXPECT_EQ(result, c.throws ? -17 : 7) << c.label;
  EXPECT_EQ(recorded, c.throws ? 1 : 0) << c.label << ": the failure is recorded once, only on a throw";

  EXPECT_EQ(Guarded([&]() -> const char* { return c.body(), "text"; }, nullptr) == nullptr, c.throws) << c.label;

  bool finished = false;
  Guarded([&] {
    c.body();
    finished = true;
  });
  EXPECT_EQ(finished, !c.throws) << c.label << ": a call without a result ends where it threw";

  int voidRecorded = 0;
  Guarded([&] { c.body(); }, [&]() noexcept { ++voidRecorded; });
  EXPECT_EQ(voidRecorded, c.throws ? 1 : 0) << c.label;
}

INSTANTIATE_TEST_SUITE_P(Bodies, ExceptionBarrierTest,
                         testing::Values(Case{"returns", &Returns, false},
                                         Case{"out of memory", &ThrowsOutOfMemory, true},
                                         Case{"a standard error", &ThrowsLogicError, true},
                                         Case{"not an exception class", &ThrowsAnything, true}),
                         [](const testing::TestParamInfo<Case>& info) { return std::to_string(info.index); });

TEST(ExceptionBarrier, IsNoexceptWhateverTheBody) {
  auto throwing = []() -> int { throw std::bad_alloc(); };
  static_assert(noexcept(Guarded(throwing, 0)));
  static_assert(noexcept(Guarded([] { throw 1; })));
  EXPECT_EQ(Guarded(throwing, 3), 3);
}

}  // namespace
