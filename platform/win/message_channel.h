// Window messages with another process: {number, wParam, lParam} and the
// answer, over a local socket named after the receiving window's handle
// number. This is how the AR view and its outside viewer talk.
//
//   // in the window that others find by its number
//   MessageChannelServer server(handler);
//   server.Listen();                    // picks a number: server.Handle()
//   // in the other process, given the number on its command line
//   auto channel = MessageChannel::Connect(handle, handler, timeoutMs);
//   std::optional<std::intptr_t> answer = channel->Send({5025, myHandle, 0});
//
// Both ends may send at any time. Send is synchronous, like sending a window
// message: it waits for the peer's answer, and while it waits it answers the
// messages the peer sends meanwhile (so two ends sending to each other at
// once never deadlock). Unlike a window message it waits at most the timeout:
// a peer that has hung, or that died, costs one timeout (a dead one none),
// never the caller's life. A peer that missed its answer's deadline is
// dropped, so later messages do not stall again and late answers can never
// be taken for the answers of later messages.
//
// Threading: a channel and a server belong to the thread that made them
// (the user-interface thread); handlers run on it, from its event loop or
// from inside a Send of the same channel.
//
// Sockets live in the user's runtime folder ($XDG_RUNTIME_DIR, private to
// the user), readable and writable by the user only.
#pragma once

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/win/message.h"

class QLocalServer;
class QLocalSocket;

namespace orvilo::win {

class MessageChannel;

// Answers a message that arrived on `channel`.
using ChannelHandler = std::function<std::intptr_t(MessageChannel& channel, const Msg& message)>;

// Wait for an answer, unless the caller says otherwise.
inline constexpr int kDefaultReplyTimeoutMs = 2000;

// The socket name of handle number `handle`: a path in the runtime folder.
std::string ChannelName(std::int64_t handle);

class MessageChannel : public QObject {
  Q_OBJECT
 public:
  // Takes a connected socket (made a child of the channel).
  MessageChannel(QLocalSocket* socket, ChannelHandler handler, QObject* parent = nullptr);
  ~MessageChannel() override;

  // Connects to the window with handle number `handle`; null when nothing
  // listens there or the connection is not made within `timeoutMs`.
  static std::unique_ptr<MessageChannel> Connect(std::int64_t handle, ChannelHandler handler,
                                                 int timeoutMs = kDefaultReplyTimeoutMs);

  // Sends and waits for the answer; nothing when the channel is closed, the
  // peer leaves, or no answer comes within `timeoutMs` (the channel is then
  // closed).
  std::optional<std::intptr_t> Send(const Msg& message, int timeoutMs = kDefaultReplyTimeoutMs);

  bool IsOpen() const;
  // Closes the connection (the peer sees it end); `closed` is emitted once.
  void Close();

 signals:
  // The connection ended (closed here, by the peer, or after a fault).
  void closed();

 private:
  void OnReadyRead();
  // Reads what the socket holds and handles every whole frame in it.
  void ProcessIncoming();
  void Answer(std::uint32_t sequence, std::intptr_t result);
  bool Write(std::uint32_t kind, std::uint32_t sequence, const Msg& message);
  void OnDisconnected();

  QPointer<QLocalSocket> socket_;
  ChannelHandler handler_;
  QByteArray pending_;                              // bytes not yet a whole frame
  std::uint32_t nextSequence_ = 1;
  std::map<std::uint32_t, std::intptr_t> answers_;  // arrived, not yet collected
  std::vector<std::uint32_t> awaited_;              // sequences of Sends in progress
  bool closedEmitted_ = false;
};

// Listens for channels to one window. Every connection gets a channel owned
// by the server; a channel is deleted (later, from the event loop) after it
// closes, and `channelClosed` tells which one went.
class MessageChannelServer : public QObject {
  Q_OBJECT
 public:
  explicit MessageChannelServer(ChannelHandler handler, QObject* parent = nullptr);
  ~MessageChannelServer() override;

  // Listens under a handle number of its own, unique among the user's
  // processes; false when no socket could be made.
  bool Listen();
  // The number announced to peers; 0 before Listen succeeded.
  std::int64_t Handle() const { return handle_; }
  // Open channels, oldest first.
  std::vector<MessageChannel*> Channels() const;

 signals:
  void channelClosed(orvilo::win::MessageChannel* channel);

 private:
  void OnNewConnection();

  ChannelHandler handler_;
  QLocalServer* server_ = nullptr;
  std::int64_t handle_ = 0;
  std::vector<QPointer<MessageChannel>> channels_;
};

}  // namespace orvilo::win
