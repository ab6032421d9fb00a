#include "ar/ar_window.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

#include "platform/win/message_channel.h"
#include "tests/ar/ar_folder.h"

namespace orvilo::ar {
namespace {

using testing::ArFolder;
using Log = std::vector<std::string>;

template <typename Predicate>
bool SpinUntil(Predicate done, int milliseconds = 15000) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < milliseconds) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}

// An AR view in a parent of 800 × 600 over a program folder of its own;
// what it asks of the main window is recorded, the picker answers from a
// script.
class ArWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.WriteDescription(
        "[AR]\r\nIMAGE=title.png\r\n[GRADE03]\r\nIMAGE=grade3.png\r\nSEMESTER1=2\r\nMARKER11=3\r\n");
    folder.AddPicture("title.png", 40, 20, Qt::red);
    folder.AddPicture("grade3.png", 20, 40, Qt::blue);
    ArServices services;
    services.programFolder = folder.program();
    services.pickChapter = [this](int grade, Chapter preset) -> std::optional<Chapter> {
      presets.push_back(preset);
      (void)grade;
      return pick;
    };
    services.captionFormat = [] { return std::string("%d-%d-%d"); };
    services.showUnitCaption = [this](int marker, const std::string& caption) {
      main.push_back("caption " + std::to_string(marker) + " " + caption);
    };
    services.setButtonDisabled = [this](int id, bool disabled) {
      main.push_back(std::to_string(id) + (disabled ? " disabled" : " normal"));
    };
    view.SetServices(std::move(services));
    parent.resize(800, 600);
    ASSERT_TRUE(view.Create(&parent, "ar", 3, QRect(0, 0, 800, 600)));
    parent.show();
    view.SetReplyTimeout(2000);
  }

  // Spaces and quotes in the program folder must reach the viewer intact.
  ArFolder folder{"my \"class\" room"};
  QWidget parent;
  CVyr3ARWnd view;
  std::optional<Chapter> pick = Chapter{1, 1};
  std::vector<Chapter> presets;
  Log main;
};

QColor CentreColour(QWidget& widget) { return widget.grab().toImage().pixelColor(widget.width() / 2, widget.height() / 2); }

TEST_F(ArWindowTest, ShowsTheDefaultPictureScaledAndCentredOnGrey) {
  const QImage shown = view.grab().toImage();
  // 40 × 20 scaled by 20 fills the width: 800 × 400 from y = 100.
  EXPECT_EQ(shown.pixelColor(400, 300), QColor(Qt::red));
  EXPECT_EQ(shown.pixelColor(400, 110), QColor(Qt::red));
  EXPECT_EQ(shown.pixelColor(400, 90), QColor(57, 57, 57));
  EXPECT_EQ(shown.pixelColor(400, 510), QColor(57, 57, 57));
}

TEST_F(ArWindowTest, WithoutDescriptionOnlyGrey) {
  std::filesystem::remove(folder.ar("AR.ini"));
  CVyr3ARWnd bare;
  ArServices services;
  services.programFolder = folder.program();
  bare.SetServices(services);
  bare.Create(&parent, "ar", 3, QRect(0, 0, 300, 200));
  EXPECT_EQ(CentreColour(bare), QColor(57, 57, 57));
  EXPECT_FALSE(bare.GradeHasContent(3));
}

TEST_F(ArWindowTest, CancelledPickerBringsBackTheDefaultPicture) {
  pick.reset();
  view.OnBarCommand(1107);
  EXPECT_EQ(presets, (std::vector<Chapter>{{1, 1}}));
  EXPECT_EQ(CentreColour(view), QColor(Qt::red));
  EXPECT_TRUE(main.empty());
}

TEST_F(ArWindowTest, AUnitWithoutViewerKeepsTheGradePictureAndShowsItsCaption) {
  view.OnBarCommand(1107);
  EXPECT_EQ(CentreColour(view), QColor(Qt::blue));
  EXPECT_EQ(main, (Log{"caption 3 3-1-1"}));
  EXPECT_FALSE(view.HasViewer());
  EXPECT_FALSE(view.CloseViewer());
}

// A viewer played by a thread of this test: it registers `handle` and
// then does what `after` says while the test drives the view.
class FakeViewer {
 public:
  FakeViewer(std::int64_t channel, std::uintptr_t handle, std::function<void(win::MessageChannel&)> after = nullptr) {
    thread_ = std::thread([=, this] {
      auto link = win::MessageChannel::Connect(channel, [this](win::MessageChannel&, const win::Msg& m) -> std::intptr_t {
        std::lock_guard lock(mutex_);
        heard_.push_back(m.id);
        return 1;
      });
      if (!link) return registered_.set_value(false);
      const auto answer = link->Send(win::Msg{5025, handle, 0}, 5000);
      registered_.set_value(answer == 1);
      if (after) after(*link);
    });
  }
  ~FakeViewer() { thread_.join(); }
  bool Registered() {
    auto future = registered_.get_future();
    return SpinUntil([&] { return future.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready; }) &&
           future.get();
  }
  std::vector<std::uint32_t> Heard() {
    std::lock_guard lock(mutex_);
    return heard_;
  }

 private:
  std::mutex mutex_;
  std::vector<std::uint32_t> heard_;
  std::promise<bool> registered_;
  std::thread thread_;
};

TEST_F(ArWindowTest, AViewerThatStopsAnsweringCostsOneTimeout) {
  view.SetReplyTimeout(300);
  std::promise<void> release;
  auto released = release.get_future();
  FakeViewer viewer(view.ChannelHandle(), 1234, [&released](win::MessageChannel&) { released.wait(); });
  ASSERT_TRUE(viewer.Registered());
  EXPECT_EQ(view.Session().Viewer(), 1234);
  QElapsedTimer timer;
  timer.start();
  view.OnBarCommand(1095);
  EXPECT_LT(timer.elapsed(), 1500);
  EXPECT_GE(timer.elapsed(), 290);
  timer.restart();
  view.OnBarCommand(1100);  // the viewer is no longer taken as alive: no wait
  view.OnBarCommand(1095);
  EXPECT_LT(timer.elapsed(), 100);
  EXPECT_TRUE(view.CloseViewer());
  release.set_value();
  EXPECT_EQ(viewer.Heard(), (std::vector<std::uint32_t>{5027}));
}

TEST_F(ArWindowTest, ASecondViewerReplacesTheFirst) {
  std::promise<void> done;
  auto finished = done.get_future().share();
  const auto wait = [finished](win::MessageChannel& link) {
    // Keep answering until the test ends.
    while (finished.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
      link.Send(win::Msg{5035, 0, 0}, 1000);
    }
  };
  FakeViewer first(view.ChannelHandle(), 111, wait);
  ASSERT_TRUE(first.Registered());
  FakeViewer second(view.ChannelHandle(), 222, wait);
  ASSERT_TRUE(second.Registered());
  EXPECT_EQ(view.Session().Viewer(), 222);
  view.OnBarCommand(1104);
  EXPECT_TRUE(view.CloseViewer());
  done.set_value();
  const auto heard = [](std::vector<std::uint32_t> all) {
    std::erase(all, 5035u);
    return all;
  };
  EXPECT_EQ(heard(first.Heard()), (std::vector<std::uint32_t>{5027}));
  EXPECT_EQ(heard(second.Heard()), (std::vector<std::uint32_t>{5027, 5037, 5026}));
}

TEST_F(ArWindowTest, AViewerThatNeverRegistersIsNeitherToldNorClosed) {
  folder.AddViewer(3, 1, 1);  // a script that ends at once
  view.OnBarCommand(1107);
  view.OnBarCommand(1095);
  EXPECT_FALSE(view.HasViewer());
  EXPECT_FALSE(view.CloseViewer());
  EXPECT_EQ(main, (Log{"caption 3 3-1-1", "1095 disabled", "1097 normal"}));
}

// The sample viewer, started by the view as a teacher's click would start
// it, logs what it hears; the log shows the whole conversation in order.
TEST_F(ArWindowTest, TheSampleViewerStartsRegistersFollowsCommandsAndCloses) {
  const std::string viewer = std::string(ORVILO_PROGRAM_DIR) + "/ARViewer";
  ASSERT_TRUE(std::filesystem::exists(viewer));
  folder.WriteDescription("[GRADE03]\r\nSEMESTER1=1\r\nMARKER11=2\r\n");
  const std::filesystem::path unit = folder.ar("3/1/1");
  std::filesystem::create_directories(unit);
  std::filesystem::create_symlink(viewer, unit / "ARViewer.exe");
  const std::string log = folder.program() + "/viewer log.txt";
  qputenv("ORVILO_ARVIEWER_LOG", QByteArray::fromStdString(log));

  const auto logged = [&log](const char* text) {
    QFile file(QString::fromStdString(log));
    return file.open(QIODevice::ReadOnly) && file.readAll().contains(text);
  };
  view.OnBarCommand(1107);
  ASSERT_TRUE(SpinUntil([&] { return view.HasViewer() && logged("answer 5035"); })) << "the viewer did not register";
  for (int id : {1095, 1100, 1101, 1104, 1097, 1096}) view.OnBarCommand(id);
  view.resize(640, 480);
  EXPECT_EQ(view.Session().ZoomStep(), 9);
  EXPECT_EQ(view.Session().Angle1(), 15);
  EXPECT_EQ(view.Session().Angle2(), -15);
  EXPECT_TRUE(view.CloseViewer());
  qunsetenv("ORVILO_ARVIEWER_LOG");

  ASSERT_TRUE(SpinUntil([&] { return logged("exit"); })) << "the viewer did not end";
  QFile file(QString::fromStdString(log));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  Log lines;
  for (const QString& line : QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)) {
    lines.push_back(line.toStdString());
  }
  const auto size = [](int w, int h) { return std::to_string(w | (h << 16)); };
  EXPECT_EQ(lines, (Log{"recv 5027 0 " + size(800, 600), "answer 5025 1", "answer 5035 1", "recv 5032 110 0",
                                "recv 5033 15 0", "recv 5036 -15 0", "recv 5037 0 0", "recv 5032 0 0",
                                "recv 5032 0 0", "recv 5027 0 " + size(640, 480), "recv 5026 0 0", "exit"}));
  EXPECT_EQ(main, (Log{"caption 2 3-1-1", "1097 normal", "1095 normal", "1095 normal", "1097 normal"}));
}

// The process whose command line names `path` (the unit's viewer this test
// started, in a folder of its own); 0 when none runs.
pid_t ProcessRunning(const std::string& path) {
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::ifstream file(entry.path() / "cmdline", std::ios::binary);
    const std::string line((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (line.find(path) != std::string::npos) return static_cast<pid_t>(std::stoi(name));
  }
  return 0;
}

// The viewer dies (killed, as a crash would end it): commands and closing
// cost no wait for an answer, and the unit's button starts a new viewer that
// registers as the first did.
TEST_F(ArWindowTest, AViewerThatDiesIsDroppedAtOnceAndTheUnitStartsAgain) {
  const std::string viewer = std::string(ORVILO_PROGRAM_DIR) + "/ARViewer";
  folder.WriteDescription("[GRADE03]\r\nSEMESTER1=1\r\nMARKER11=2\r\n");
  const std::filesystem::path unit = folder.ar("3/1/1");
  std::filesystem::create_directories(unit);
  std::filesystem::create_symlink(viewer, unit / "ARViewer.exe");
  const std::string launched = (unit / "ARViewer.exe").string();
  view.SetReplyTimeout(5000);

  view.OnBarCommand(1107);
  ASSERT_TRUE(SpinUntil([&] { return view.HasViewer() && ProcessRunning(launched) != 0; })) << "no viewer";
  const pid_t first = ProcessRunning(launched);
  ASSERT_EQ(kill(first, SIGKILL), 0);
  ASSERT_TRUE(SpinUntil([&] { return ProcessRunning(launched) != first; }));

  QElapsedTimer timer;
  timer.start();
  view.OnBarCommand(1095);
  view.OnBarCommand(1100);
  view.CloseViewer();
  EXPECT_LT(timer.elapsed(), 1000);  // far below the reply timeout

  view.OnBarCommand(1107);
  ASSERT_TRUE(SpinUntil([&] { return view.HasViewer() && ProcessRunning(launched) != 0; })) << "no second viewer";
  EXPECT_NE(ProcessRunning(launched), first);
  EXPECT_TRUE(view.CloseViewer());
  EXPECT_TRUE(SpinUntil([&] { return ProcessRunning(launched) == 0; }));
}

}  // namespace
}  // namespace orvilo::ar
