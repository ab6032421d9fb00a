// The tour's step runner over a plain window: phases wait for their
// outcome on the event loop, a failed or timed-out step is recorded with
// its reason and put right, the tour goes on, and the report says it all.
#include "shell/tour/tour_driver.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <fstream>

#include "shell/tour/tour_report.h"

namespace orvilo::shell::tour {
namespace {

TEST(TourDriver, RunsEveryStepAndRecordsWhatBecameOfIt) {
  QTemporaryDir folder;
  const std::string path = folder.path().toStdString();
  QWidget window;
  window.resize(120, 80);
  window.show();
  QElapsedTimer clock;
  clock.start();

  int checks = 0;
  bool secondPhaseActed = false;
  bool putRight = false;
  std::vector<Step> steps;
  steps.push_back({"waits",
                   {{[path] { std::ofstream(path + "/made.txt") << "x"; }, 20,
                     [&checks] { return Verdict::Holds(++checks >= 3); }, 5000, "never", "done"}},
                   {"made.txt", "absent.txt"},
                   [&checks] { return std::to_string(checks) + " checks"; },
                   {}});
  steps.push_back({"fails",
                   {{nullptr, 0, [] { return Verdict::Failed("broken"); }, 5000, {}, {}},
                    {[&secondPhaseActed] { secondPhaseActed = true; }, 0, nullptr, 0, {}, {}}},
                   {},
                   {},
                   [&putRight] { putRight = true; }});
  steps.push_back({"times_out", {{nullptr, 0, [] { return Verdict::Holds(false); }, 200, "nothing came", {}}}, {}, {}, {}});
  steps.push_back({"empty", {}, {}, {}, {}});

  TourDriver driver(&window, path, std::move(steps), clock);
  bool finished = false;
  int between = 0;
  driver.Start([&finished] { finished = true; }, [&between] { ++between; });
  ASSERT_TRUE(QTest::qWaitFor([&finished] { return finished; }, 10000));
  EXPECT_EQ(between, 4);

  const std::vector<StepRecord>& records = driver.Records();
  ASSERT_EQ(records.size(), 4u);
  EXPECT_TRUE(records[0].ok);
  EXPECT_EQ(records[0].detail, "3 checks");
  // The phase's screenshot and the step's file that exists; the missing one is left out.
  EXPECT_EQ(records[0].artefacts, (std::vector<std::string>{"01-waits-done.png", "made.txt"}));
  EXPECT_GE(records[0].durationMs, 20);
  EXPECT_TRUE(QFile::exists(folder.filePath("01-waits-done.png")));

  EXPECT_FALSE(records[1].ok);
  EXPECT_EQ(records[1].reason, "broken");
  EXPECT_FALSE(secondPhaseActed);
  EXPECT_TRUE(putRight);
  // A step without a screenshot of its own gets one at its end.
  EXPECT_EQ(records[1].artefacts, (std::vector<std::string>{"02-fails.png"}));

  EXPECT_FALSE(records[2].ok);
  EXPECT_EQ(records[2].reason, "nothing came");
  EXPECT_GE(records[2].durationMs, 200);
  EXPECT_TRUE(records[3].ok);
  for (std::size_t i = 1; i < records.size(); ++i) EXPECT_GE(records[i].startMs, records[i - 1].startMs);
}

// The window went away in the middle of a step: that step fails and the
// rest are listed as not run, so the report still names every step.
TEST(TourDriver, AbandonedStepsAreListedWithTheReason) {
  QTemporaryDir folder;
  QWidget window;
  window.resize(60, 40);
  QElapsedTimer clock;
  clock.start();
  std::vector<Step> steps;
  steps.push_back({"waiting", {{nullptr, 0, [] { return Verdict::Holds(false); }, 60000, "never", {}}}, {}, {}, {}});
  steps.push_back({"later", {}, {}, {}, {}});
  TourDriver driver(&window, folder.path().toStdString(), std::move(steps), clock);
  driver.Start([] {});
  ASSERT_TRUE(QTest::qWaitFor([&driver] { return !driver.Records().empty(); }, 5000));
  driver.Abandon("the main window ended");

  const std::vector<StepRecord>& records = driver.Records();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].name, "waiting");
  EXPECT_FALSE(records[0].ok);
  EXPECT_EQ(records[0].reason, "the main window ended");
  EXPECT_EQ(records[1].name, "later");
  EXPECT_FALSE(records[1].ok);
  EXPECT_EQ(records[1].reason, "not run: the main window ended");
  // Nothing runs on afterwards.
  QTest::qWait(300);
  EXPECT_EQ(driver.Records().size(), 2u);
}

TEST(TourReport, ListsEveryStepWithItsOutcome) {
  QTemporaryDir folder;
  const std::string path = folder.filePath("report.json").toStdString();
  const std::vector<StepRecord> steps = {
      {"live_view", 10, 800, true, {}, "frame 1280x720", {"01-live_view.png"}},
      {"snapshot", 810, 300, false, "no still picture was written", {}, {}},
  };
  ASSERT_TRUE(WriteTourReport(path, "2026-12-10T17:00:00", steps));
  QFile file(QString::fromStdString(path));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QJsonObject report = QJsonDocument::fromJson(file.readAll()).object();
  EXPECT_FALSE(report["ok"].toBool());
  EXPECT_EQ(report["started"].toString(), "2026-12-10T17:00:00");
  const QJsonArray list = report["steps"].toArray();
  ASSERT_EQ(list.size(), 2);
  const QJsonObject first = list[0].toObject();
  EXPECT_EQ(first["name"].toString(), "live_view");
  EXPECT_EQ(first["start_ms"].toInt(), 10);
  EXPECT_EQ(first["duration_ms"].toInt(), 800);
  EXPECT_EQ(first["outcome"].toString(), "ok");
  EXPECT_FALSE(first.contains("reason"));
  EXPECT_EQ(first["detail"].toString(), "frame 1280x720");
  EXPECT_EQ(first["artefacts"].toArray().at(0).toString(), "01-live_view.png");
  const QJsonObject second = list[1].toObject();
  EXPECT_EQ(second["outcome"].toString(), "failed");
  EXPECT_EQ(second["reason"].toString(), "no still picture was written");
  EXPECT_TRUE(second["artefacts"].toArray().isEmpty());

  EXPECT_FALSE(EveryStepOk({}));
  EXPECT_TRUE(EveryStepOk({steps[0]}));
  EXPECT_FALSE(EveryStepOk(steps));
  EXPECT_FALSE(WriteTourReport(folder.filePath("no/such/folder/report.json").toStdString(), "", steps));
}

}  // namespace
}  // namespace orvilo::shell::tour
