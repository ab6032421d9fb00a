#include "platform/win/termination_requests.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

#include "platform/win/dialog.h"

using namespace orvilo::win;

namespace {

void ProcessEventsUntil(const std::function<bool()>& done) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < 5000) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

TEST(TerminationRequestsTest, EachHandledSignalBecomesOneCallOnTheWindowThread) {
  for (int number : {SIGTERM, SIGINT, SIGHUP}) {
    int calls = 0;
    TerminationRequests requests([&calls] { ++calls; });
    ASSERT_EQ(raise(number), 0);
    // The handler only wrote to the pipe; nothing ran yet.
    EXPECT_EQ(calls, 0) << number;
    ProcessEventsUntil([&calls] { return calls > 0; });
    EXPECT_EQ(calls, 1) << number;
    EXPECT_EQ(requests.LastSignal(), number);
  }
}

TEST(TerminationRequestsTest, DestroyingItRestoresTheDefaultDisposition) {
  { TerminationRequests requests([] {}); }
  for (int number : {SIGTERM, SIGINT, SIGHUP}) {
    struct sigaction current {};
    ASSERT_EQ(sigaction(number, nullptr, &current), 0);
    EXPECT_EQ(current.sa_handler, SIG_DFL) << number;
  }
}

TEST(TerminationRequestsTest, ClosingEveryWindowEndsNestedModalDialogsAsCancel) {
  Dialog outer;
  Dialog inner;
  int innerResult = 0;
  QTimer::singleShot(0, &outer, [&] {
    QTimer::singleShot(0, &inner, [] { TerminationRequests::CloseEveryWindow(); });
    innerResult = inner.DoModal(&outer);
  });
  const int outerResult = outer.DoModal();
  EXPECT_EQ(innerResult, kResultCancel);
  EXPECT_EQ(outerResult, kResultCancel);
}

}  // namespace
