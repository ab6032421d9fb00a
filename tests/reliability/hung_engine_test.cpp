// An OCR engine that never returns from a recognition: the caller's thread
// goes on at once, further recognitions are refused instead of piling up
// behind it, and when the engine comes back its text arrives as usual.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <chrono>
#include <future>

#include "reading/recognition.h"
#include "tests/reading/reading_doubles.h"

namespace orvilo::reading {
namespace {

using namespace std::chrono_literals;

// Recognition blocks until the test releases it.
class HangingOcr : public testing::RecordingOcr {
 public:
  explicit HangingOcr(std::shared_future<void> released) : released_(std::move(released)) {}
  VxSysString RecogDIBRect(VxGlobalHandle image, int type, int left, int top, int right, int bottom) override {
    released_.wait();
    return RecordingOcr::RecogDIBRect(image, type, left, top, right, bottom);
  }

 private:
  std::shared_future<void> released_;
};

TEST(HungEngine, BlocksNothingButItsOwnRecognition) {
  QTemporaryDir scratch;
  std::promise<void> release;
  std::promise<std::string> text;
  Recognizer recognizer(std::make_unique<HangingOcr>(release.get_future().share()));
  ASSERT_TRUE(recognizer.Init());

  const auto started = std::chrono::steady_clock::now();
  ASSERT_TRUE(recognizer.Start(gdi::PackedDib::Create(8, 8, 24), {0, 0, 8, 8, {}}, scratch.path().toStdString(),
                               [&text](std::string result) { text.set_value(std::move(result)); }));
  EXPECT_LT(std::chrono::steady_clock::now() - started, 500ms);
  std::future<std::string> answer = text.get_future();
  EXPECT_EQ(answer.wait_for(300ms), std::future_status::timeout);
  EXPECT_TRUE(recognizer.Busy());
  EXPECT_FALSE(recognizer.Start(gdi::PackedDib::Create(8, 8, 24), {0, 0, 8, 8, {}}, scratch.path().toStdString(),
                                [](std::string) { FAIL() << "a second recognition ran"; }));

  release.set_value();
  ASSERT_EQ(answer.wait_for(10s), std::future_status::ready);
  EXPECT_EQ(answer.get(), "인식된 글");
}

}  // namespace
}  // namespace orvilo::reading
