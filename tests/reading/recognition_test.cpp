#include "reading/recognition.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <condition_variable>
#include <filesystem>

#include "tests/reading/reading_doubles.h"

namespace orvilo::reading {
namespace {

using testing::RecordingOcr;

TEST(Recognition, CallsTheModuleInOrderAndCleansUp) {
  QTemporaryDir folder;
  const std::string scratch = folder.path().toStdString();
  RecordingOcr ocr;
  const gdi::PackedDib page = gdi::PackedDib::Create(40, 20, 24);
  const std::string path = ScratchBitmapPath(scratch, sys::LocalTime{2026, 3, 4, 3, 5, 6, 7, 8});
  EXPECT_EQ(path, scratch + "/20260304050607.bmp");
  const std::string text = RecogniseRegion(ocr, page, MappedSelection{2, 3, 10, 5, {}}, path);
  EXPECT_EQ(text, "인식된 글");
  EXPECT_EQ(ocr.calls, (std::vector<std::string>{"LoadImage", "AutoAngle", "PreProc", "BeginRecog",
                                                 "RecogDIBRect(0,2,3,12,8)", "EndRecog"}));
  EXPECT_TRUE(ocr.fileWasThere);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(Recognition, MissingScratchFolderGivesEmptyTextThroughTheSameCalls) {
  RecordingOcr ocr;
  const gdi::PackedDib page = gdi::PackedDib::Create(40, 20, 24);
  const std::string text = RecogniseRegion(ocr, page, MappedSelection{0, 0, 40, 20, {}}, "/no/such/folder/x.bmp");
  EXPECT_EQ(text, "");
  EXPECT_EQ(ocr.calls, (std::vector<std::string>{"LoadImage", "AutoAngle(null)", "PreProc(null)", "BeginRecog",
                                                 "RecogDIBRect(0,0,0,40,20)", "EndRecog"}));
}

struct Waiter {
  std::mutex lock;
  std::condition_variable changed;
  std::optional<std::string> text;
  std::function<void(std::string)> Callback() {
    return [this](std::string value) {
      std::lock_guard guard(lock);
      text = std::move(value);
      changed.notify_all();
    };
  }
  std::string Wait() {
    std::unique_lock guard(lock);
    changed.wait_for(guard, std::chrono::seconds(10), [&] { return text.has_value(); });
    return text.value_or("<timeout>");
  }
};

TEST(Recognizer, InitialisesOnceRunsOneAtATimeAndFreesAtTheEnd) {
  QTemporaryDir folder;
  std::vector<std::string> calls;
  {
    Recognizer recognizer(std::make_unique<RecordingOcr>(calls));
    EXPECT_FALSE(recognizer.Start(gdi::PackedDib::Create(8, 8, 24), {}, folder.path().toStdString(), nullptr));
    EXPECT_TRUE(recognizer.Init());
    EXPECT_TRUE(recognizer.Init());
    EXPECT_FALSE(recognizer.Start(gdi::PackedDib(), {}, folder.path().toStdString(), nullptr));  // no page
    Waiter waiter;
    ASSERT_TRUE(recognizer.Start(gdi::PackedDib::Create(8, 8, 24), {0, 0, 8, 8, {}}, folder.path().toStdString(),
                                 waiter.Callback()));
    EXPECT_EQ(waiter.Wait(), "인식된 글");
    Waiter second;
    ASSERT_TRUE(recognizer.Start(gdi::PackedDib::Create(8, 8, 24), {0, 0, 8, 8, {}}, folder.path().toStdString(),
                                 second.Callback()));
    EXPECT_EQ(second.Wait(), "인식된 글");
  }
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "Init"), 1);
  EXPECT_EQ(calls.back(), "Free");
  EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST(Recognizer, RefusedModuleStaysUnavailableAndIsNotFreed) {
  std::vector<std::string> calls;
  auto module = std::make_unique<RecordingOcr>(calls);
  module->initResult = -100;
  {
    Recognizer recognizer(std::move(module));
    EXPECT_FALSE(recognizer.Init());
    EXPECT_FALSE(recognizer.Start(gdi::PackedDib::Create(8, 8, 24), {}, "/tmp", nullptr));
  }
  EXPECT_EQ(calls, std::vector<std::string>{"Init"});
}

}  // namespace
}  // namespace orvilo::reading
