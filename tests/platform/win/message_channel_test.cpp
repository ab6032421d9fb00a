#include "platform/win/message_channel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QtEndian>
#include <gtest/gtest.h>

#include <future>
#include <string>
#include <thread>
#include <vector>

namespace orvilo::win {
namespace {

using Log = std::vector<std::string>;

std::string Entry(const char* who, const Msg& m) {
  return std::string(who) + " " + std::to_string(m.id) + " " + std::to_string(static_cast<std::intptr_t>(m.wParam)) +
         " " + std::to_string(m.lParam);
}

// Runs the main thread's event loop until `done` holds or 5 s pass.
template <typename Predicate>
bool SpinUntil(Predicate done) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}

// A raw peer in this thread, connected to `server` and accepted by it.
std::unique_ptr<QLocalSocket> RawPeer(MessageChannelServer& server) {
  auto socket = std::make_unique<QLocalSocket>();
  socket->connectToServer(QString::fromStdString(ChannelName(server.Handle())));
  EXPECT_TRUE(socket->waitForConnected(2000));
  EXPECT_TRUE(SpinUntil([&] { return server.Channels().size() == 1; }));
  return socket;
}

TEST(MessageChannel, HandleNumbersAreOwnPositive32BitValuesAndNameSocketsInTheRuntimeFolder) {
  MessageChannelServer first(nullptr);
  MessageChannelServer second(nullptr);
  ASSERT_TRUE(first.Listen());
  ASSERT_TRUE(second.Listen());
  EXPECT_NE(first.Handle(), second.Handle());
  EXPECT_GT(first.Handle(), 0);
  EXPECT_LE(first.Handle(), INT32_MAX);
  EXPECT_NE(ChannelName(first.Handle()).find("/orvilo-window-" + std::to_string(first.Handle())), std::string::npos);
}

TEST(MessageChannel, NothingListeningGivesNoChannel) {
  MessageChannelServer server(nullptr);
  ASSERT_TRUE(server.Listen());
  const std::int64_t unused = server.Handle() + 100000;
  EXPECT_EQ(MessageChannel::Connect(unused, nullptr, 500), nullptr);
}

// The other process's side runs in a thread of its own here: both ends
// block while they wait, as two processes would.
TEST(MessageChannel, MessagesAndAnswersTravelBothWaysAndNestedSendsDoNotDeadlock) {
  Log serverLog;
  MessageChannelServer server([&serverLog](MessageChannel& channel, const Msg& message) -> std::intptr_t {
    serverLog.push_back(Entry("server got", message));
    if (message.id == 5025) {
      // Answer only after asking the sender something back.
      const auto size = channel.Send(Msg{5027, 0, (700 << 16) | 1024});
      serverLog.push_back("server heard " + (size ? std::to_string(*size) : std::string("nothing")));
      return 1;
    }
    return static_cast<std::intptr_t>(message.wParam) * 2;
  });
  ASSERT_TRUE(server.Listen());

  std::promise<Log> peerLog;
  std::thread peer([&, handle = server.Handle()] {
    Log log;
    auto channel = MessageChannel::Connect(handle, [&log](MessageChannel&, const Msg& message) -> std::intptr_t {
      log.push_back(Entry("peer got", message));
      return 7;
    });
    if (!channel) {
      peerLog.set_value({"no channel"});
      return;
    }
    const auto registered = channel->Send(Msg{5025, 0x7FFFFFFFFFull, -3});
    log.push_back("peer heard " + (registered ? std::to_string(*registered) : std::string("nothing")));
    const auto doubled = channel->Send(Msg{5035, static_cast<std::uintptr_t>(-21), 0});
    log.push_back("peer heard " + (doubled ? std::to_string(*doubled) : std::string("nothing")));
    peerLog.set_value(log);
  });
  auto result = peerLog.get_future();
  SpinUntil([&] { return result.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready; });
  peer.join();
  EXPECT_EQ(result.get(), (Log{"peer got 5027 0 " + std::to_string((700 << 16) | 1024), "peer heard 1", "peer heard -42"}));
  EXPECT_EQ(serverLog, (Log{"server got 5025 " + std::to_string(0x7FFFFFFFFFll) + " -3", "server heard 7",
                            "server got 5035 -21 0"}));
}

TEST(MessageChannel, APeerThatNeverAnswersCostsOneTimeoutAndIsDropped) {
  MessageChannelServer server(nullptr);
  ASSERT_TRUE(server.Listen());
  auto peer = RawPeer(server);
  MessageChannel* channel = server.Channels().front();
  bool closed = false;
  QObject::connect(channel, &MessageChannel::closed, [&closed] { closed = true; });
  QElapsedTimer timer;
  timer.start();
  EXPECT_FALSE(channel->Send(Msg{5032, 110, 0}, 300));
  EXPECT_GE(timer.elapsed(), 290);
  EXPECT_LT(timer.elapsed(), 2000);
  EXPECT_TRUE(closed);
  EXPECT_FALSE(channel->IsOpen());
  timer.restart();
  EXPECT_FALSE(channel->Send(Msg{5032, 110, 0}, 300));  // no second wait
  EXPECT_LT(timer.elapsed(), 100);
  EXPECT_TRUE(SpinUntil([&] { return server.Channels().empty(); }));
}

TEST(MessageChannel, APeerThatLeftCostsNoWait) {
  MessageChannelServer server(nullptr);
  ASSERT_TRUE(server.Listen());
  auto peer = RawPeer(server);
  MessageChannel* channel = server.Channels().front();
  peer->abort();
  QElapsedTimer timer;
  timer.start();
  EXPECT_FALSE(channel->Send(Msg{5026, 0, 0}, 5000));
  EXPECT_LT(timer.elapsed(), 1000);
}

TEST(MessageChannel, AFrameOfAnotherProtocolEndsTheChannel) {
  int handled = 0;
  MessageChannelServer server([&handled](MessageChannel&, const Msg&) -> std::intptr_t { return ++handled; });
  ASSERT_TRUE(server.Listen());
  auto peer = RawPeer(server);
  QByteArray frame(32, '\0');
  qToLittleEndian<quint32>(7, reinterpret_cast<uchar*>(frame.data()));
  peer->write(frame + QByteArray(32, '\1'));
  peer->flush();
  EXPECT_TRUE(SpinUntil([&] { return server.Channels().empty(); }));
  EXPECT_EQ(handled, 0);
}

TEST(MessageChannel, OnlyTheAnswerToTheMessageSentCounts) {
  MessageChannelServer server(nullptr);
  ASSERT_TRUE(server.Listen());
  // A peer that answers every message twice: first with a stray sequence
  // number and 99, then properly with 5.
  std::thread peer([handle = server.Handle()] {
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(ChannelName(handle)));
    if (!socket.waitForConnected(2000)) return;
    QByteArray request;
    while (request.size() < 32 && socket.waitForReadyRead(3000)) request += socket.readAll();
    if (request.size() < 32) return;
    const auto sequence = qFromLittleEndian<quint32>(reinterpret_cast<const uchar*>(request.constData()) + 4);
    const auto answer = [](quint32 seq, qint64 result) {
      QByteArray frame(32, '\0');
      auto* data = reinterpret_cast<uchar*>(frame.data());
      qToLittleEndian<quint32>(2, data);
      qToLittleEndian<quint32>(seq, data + 4);
      qToLittleEndian<qint64>(result, data + 24);
      return frame;
    };
    socket.write(answer(sequence + 100, 99) + answer(sequence, 5));
    socket.flush();
    socket.waitForBytesWritten(1000);
    socket.waitForDisconnected(3000);
  });
  ASSERT_TRUE(SpinUntil([&] { return server.Channels().size() == 1; }));
  MessageChannel* channel = server.Channels().front();
  EXPECT_EQ(channel->Send(Msg{5037, 0, 0}, 3000), 5);
  EXPECT_TRUE(channel->IsOpen());
  channel->Close();
  peer.join();
}

}  // namespace
}  // namespace orvilo::win
