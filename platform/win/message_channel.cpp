#include "platform/win/message_channel.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QtEndian>
#include <algorithm>
#include <atomic>

#include <unistd.h>

#include "platform/sys/single_instance.h"

namespace orvilo::win {

namespace {

// One frame, little-endian: kind, sequence, number, 0, wParam, lParam (the
// result in an answer). Fixed size, so a frame never needs a length field
// that a broken peer could lie in.
constexpr qsizetype kFrameSize = 32;
constexpr std::uint32_t kKindMessage = 1;
constexpr std::uint32_t kKindAnswer = 2;

struct Frame {
  std::uint32_t kind;
  std::uint32_t sequence;
  Msg message;
};

QByteArray Encode(std::uint32_t kind, std::uint32_t sequence, const Msg& message) {
  QByteArray bytes(kFrameSize, '\0');
  auto* data = reinterpret_cast<uchar*>(bytes.data());
  qToLittleEndian<quint32>(kind, data);
  qToLittleEndian<quint32>(sequence, data + 4);
  qToLittleEndian<quint32>(message.id, data + 8);
  qToLittleEndian<quint64>(static_cast<quint64>(message.wParam), data + 16);
  qToLittleEndian<qint64>(static_cast<qint64>(message.lParam), data + 24);
  return bytes;
}

Frame Decode(const char* bytes) {
  const auto* data = reinterpret_cast<const uchar*>(bytes);
  Frame frame{};
  frame.kind = qFromLittleEndian<quint32>(data);
  frame.sequence = qFromLittleEndian<quint32>(data + 4);
  frame.message.id = qFromLittleEndian<quint32>(data + 8);
  frame.message.wParam = static_cast<std::uintptr_t>(qFromLittleEndian<quint64>(data + 16));
  frame.message.lParam = static_cast<std::intptr_t>(qFromLittleEndian<qint64>(data + 24));
  return frame;
}

// Handle numbers: the process id and a counter, so that every window of
// every process of the user has its own, and the number stays a positive
// 32-bit value as the command line's "%d" expects (process ids stay below
// 2^22 on Linux).
std::int64_t NextHandleCandidate() {
  static std::atomic<std::uint32_t> counter{1};
  const std::int64_t pid = static_cast<std::int64_t>(getpid()) & 0x3FFFFF;
  return pid * 256 + (counter.fetch_add(1) & 0xFF);
}

bool SomeoneListens(const QString& name) {
  QLocalSocket probe;
  probe.connectToServer(name);
  return probe.waitForConnected(200);
}

}  // namespace

std::string ChannelName(std::int64_t handle) {
  return sys::SingleInstanceLock::LockFolder() + "/orvilo-window-" + std::to_string(handle);
}

MessageChannel::MessageChannel(QLocalSocket* socket, ChannelHandler handler, QObject* parent)
    : QObject(parent), socket_(socket), handler_(std::move(handler)) {
  socket->setParent(this);
  connect(socket, &QLocalSocket::readyRead, this, &MessageChannel::OnReadyRead);
  connect(socket, &QLocalSocket::disconnected, this, &MessageChannel::OnDisconnected);
  connect(socket, &QLocalSocket::errorOccurred, this, [this](QLocalSocket::LocalSocketError) {
    if (socket_ && socket_->state() != QLocalSocket::ConnectedState) OnDisconnected();
  });
  // Bytes that came with the connection.
  if (socket->bytesAvailable() > 0) QMetaObject::invokeMethod(this, &MessageChannel::OnReadyRead, Qt::QueuedConnection);
}

MessageChannel::~MessageChannel() {
  if (socket_) {
    socket_->disconnect(this);
    socket_->abort();
  }
}

std::unique_ptr<MessageChannel> MessageChannel::Connect(std::int64_t handle, ChannelHandler handler, int timeoutMs) {
  auto* socket = new QLocalSocket;
  socket->connectToServer(QString::fromStdString(ChannelName(handle)));
  if (!socket->waitForConnected(timeoutMs)) {
    delete socket;
    return nullptr;
  }
  return std::make_unique<MessageChannel>(socket, std::move(handler));
}

bool MessageChannel::IsOpen() const {
  return !closedEmitted_ && socket_ && socket_->state() == QLocalSocket::ConnectedState;
}

void MessageChannel::Close() {
  if (socket_ && socket_->state() != QLocalSocket::UnconnectedState) socket_->abort();
  OnDisconnected();
}

void MessageChannel::OnDisconnected() {
  if (closedEmitted_) return;
  closedEmitted_ = true;
  emit closed();
}

bool MessageChannel::Write(std::uint32_t kind, std::uint32_t sequence, const Msg& message) {
  if (!IsOpen()) return false;
  const QByteArray frame = Encode(kind, sequence, message);
  if (socket_->write(frame) != frame.size()) return false;
  socket_->flush();
  return true;
}

void MessageChannel::Answer(std::uint32_t sequence, std::intptr_t result) {
  if (!Write(kKindAnswer, sequence, Msg{0, 0, result})) Close();
}

void MessageChannel::OnReadyRead() { ProcessIncoming(); }

void MessageChannel::ProcessIncoming() {
  if (!socket_) return;
  if (socket_->bytesAvailable() > 0) pending_.append(socket_->readAll());
  QPointer<MessageChannel> self(this);
  while (self && !closedEmitted_ && pending_.size() >= kFrameSize) {
    // Take the frame out first: a handler may send, and its wait reads on.
    const Frame frame = Decode(pending_.constData());
    pending_.remove(0, kFrameSize);
    if (frame.kind == kKindAnswer) {
      // An answer nobody waits for any more is dropped.
      if (std::find(awaited_.begin(), awaited_.end(), frame.sequence) != awaited_.end()) {
        answers_[frame.sequence] = frame.message.lParam;
      }
    } else if (frame.kind == kKindMessage) {
      const std::intptr_t result = handler_ ? handler_(*this, frame.message) : 0;
      if (self && IsOpen()) Answer(frame.sequence, result);
    } else {
      // Not this protocol: nothing after it can be trusted.
      Close();
    }
  }
}

std::optional<std::intptr_t> MessageChannel::Send(const Msg& message, int timeoutMs) {
  const std::uint32_t sequence = nextSequence_++;
  if (nextSequence_ == 0) nextSequence_ = 1;
  if (!Write(kKindMessage, sequence, message)) return std::nullopt;
  awaited_.push_back(sequence);
  QPointer<MessageChannel> self(this);
  const QDeadlineTimer deadline(std::max(timeoutMs, 0));
  std::optional<std::intptr_t> result;
  for (;;) {
    ProcessIncoming();
    if (!self) return std::nullopt;  // a handler deleted the channel
    if (const auto found = answers_.find(sequence); found != answers_.end()) {
      result = found->second;
      answers_.erase(found);
      break;
    }
    if (!IsOpen()) break;
    if (deadline.hasExpired()) {
      Close();  // a late answer must never pass for the answer of a later message
      break;
    }
    socket_->waitForReadyRead(static_cast<int>(std::max<qint64>(deadline.remainingTime(), 1)));
    if (socket_ && socket_->state() != QLocalSocket::ConnectedState && socket_->bytesAvailable() == 0) {
      OnDisconnected();
    }
  }
  awaited_.erase(std::remove(awaited_.begin(), awaited_.end(), sequence), awaited_.end());
  return result;
}

MessageChannelServer::MessageChannelServer(ChannelHandler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)), server_(new QLocalServer(this)) {
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, &MessageChannelServer::OnNewConnection);
}

MessageChannelServer::~MessageChannelServer() {
  for (const QPointer<MessageChannel>& channel : channels_) {
    if (channel) {
      channel->disconnect(this);
      delete channel.data();
    }
  }
  server_->close();
}

bool MessageChannelServer::Listen() {
  if (handle_ != 0) return true;
  for (int attempt = 0; attempt < 16; ++attempt) {
    const std::int64_t candidate = NextHandleCandidate();
    const QString name = QString::fromStdString(ChannelName(candidate));
    if (server_->listen(name)) {
      handle_ = candidate;
      return true;
    }
    // A socket left behind by a process that ended (its id reused now).
    if (server_->serverError() == QAbstractSocket::AddressInUseError && !SomeoneListens(name)) {
      QLocalServer::removeServer(name);
      if (server_->listen(name)) {
        handle_ = candidate;
        return true;
      }
    }
  }
  return false;
}

std::vector<MessageChannel*> MessageChannelServer::Channels() const {
  std::vector<MessageChannel*> open;
  for (const QPointer<MessageChannel>& channel : channels_) {
    if (channel && channel->IsOpen()) open.push_back(channel.data());
  }
  return open;
}

void MessageChannelServer::OnNewConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    auto* channel = new MessageChannel(socket, handler_, this);
    channels_.erase(std::remove_if(channels_.begin(), channels_.end(), [](const auto& c) { return c.isNull(); }),
                    channels_.end());
    channels_.emplace_back(channel);
    connect(channel, &MessageChannel::closed, this, [this, channel] {
      emit channelClosed(channel);
      channel->deleteLater();
    });
  }
}

}  // namespace orvilo::win
