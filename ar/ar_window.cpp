#include "ar/ar_window.h"

#include <QGuiApplication>
#include <QPainter>
#include <QThread>
#include <QWindow>

#include "platform/sys/program_folder.h"
#include "platform/sys/program_launch.h"
#include "platform/win/message_channel.h"

namespace orvilo::ar {

namespace {

std::string FolderOf(const ArServices& services) {
  return services.programFolder.empty() ? sys::ProgramFolder() : services.programFolder;
}

// Only X11 lets one process's window be embedded in another's.
bool CanEmbedForeignWindows() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

}  // namespace

CVyr3ARWnd::CVyr3ARWnd(QWidget* parent)
    : ArView(parent),
      session_(ArContent(FolderOf(Services())), *this),
      server_(std::make_unique<win::MessageChannelServer>(
          [this](win::MessageChannel& channel, const win::Msg& message) { return OnChannelMessage(channel, message); })),
      replyTimeoutMs_(win::kDefaultReplyTimeoutMs) {
  connect(server_.get(), &win::MessageChannelServer::channelClosed, this, &CVyr3ARWnd::OnChannelClosed);
  server_->Listen();
}

CVyr3ARWnd::~CVyr3ARWnd() {
  session_.CloseViewer();
  server_.reset();
}

bool CVyr3ARWnd::OnCreate() {
  session_.ShowPicture(0);
  return true;
}

void CVyr3ARWnd::SetServices(ArServices services) {
  const std::string folder = FolderOf(services);
  ArView::SetServices(std::move(services));
  if (folder == session_.content().programFolder()) return;
  session_.SetContent(ArContent(folder));
  ClearPicture();
  session_.ShowPicture(0);
  update();
}

std::int64_t CVyr3ARWnd::ChannelHandle() const { return server_ ? server_->Handle() : 0; }

void CVyr3ARWnd::OnBarCommand(int commandId) { session_.OnBarCommand(commandId); }

bool CVyr3ARWnd::HasViewer() const { return session_.HasViewer(); }

bool CVyr3ARWnd::CloseViewer() { return session_.CloseViewer(); }

bool CVyr3ARWnd::GradeHasContent(int grade) const { return session_.content().GradeHasContent(grade); }

QWidget* CVyr3ARWnd::ViewerContainer() const {
  const auto found = containers_.find(session_.Viewer());
  return found == containers_.end() ? nullptr : found->second.data();
}

void CVyr3ARWnd::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(57, 57, 57));
  if (picture_.isNull() || picture_.width() <= 0 || picture_.height() <= 0) return;
  const double scale = std::min(static_cast<double>(width()) / picture_.width(),
                                static_cast<double>(height()) / picture_.height());
  const QSizeF size(picture_.width() * scale, picture_.height() * scale);
  const QRectF target(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(target, picture_);
}

void CVyr3ARWnd::resizeEvent(QResizeEvent* event) {
  ArView::resizeEvent(event);
  for (const auto& [handle, container] : containers_) {
    if (container) container->setGeometry(rect());
  }
  session_.OnResized();
}

// --- the viewer -----------------------------------------------------------

std::intptr_t CVyr3ARWnd::OnChannelMessage(win::MessageChannel& channel, const win::Msg& message) {
  if (message.id == viewer_message::kRegister && message.wParam != 0) {
    viewers_[static_cast<std::int64_t>(message.wParam)] = &channel;
  }
  return session_.OnViewerMessage(message.id, message.wParam, message.lParam);
}

void CVyr3ARWnd::OnChannelClosed(win::MessageChannel* channel) {
  for (auto entry = viewers_.begin(); entry != viewers_.end();) {
    if (entry->second == channel || entry->second.isNull()) {
      DropContainer(entry->first);
      entry = viewers_.erase(entry);
    } else {
      ++entry;
    }
  }
}

bool CVyr3ARWnd::IsViewerWindow(std::int64_t handle) {
  const auto found = viewers_.find(handle);
  return found != viewers_.end() && found->second && found->second->IsOpen();
}

std::optional<std::intptr_t> CVyr3ARWnd::SendToViewer(std::int64_t handle, std::uint32_t number, std::uintptr_t wParam,
                                                      std::intptr_t lParam) {
  if (!IsViewerWindow(handle)) return std::nullopt;
  QPointer<win::MessageChannel> channel = viewers_[handle];
  return channel->Send(win::Msg{number, wParam, lParam}, replyTimeoutMs_);
}

void CVyr3ARWnd::ShowViewer(std::int64_t handle) {
  if (!CanEmbedForeignWindows() || containers_.count(handle) != 0) return;
  QWindow* foreign = QWindow::fromWinId(static_cast<WId>(handle));
  if (foreign == nullptr) return;
  QWidget* container = QWidget::createWindowContainer(foreign, this);
  container->setGeometry(rect());
  container->show();
  containers_[handle] = container;
}

void CVyr3ARWnd::ForgetViewer(std::int64_t handle) { DropContainer(handle); }

void CVyr3ARWnd::DropContainer(std::int64_t handle) {
  const auto found = containers_.find(handle);
  if (found == containers_.end()) return;
  if (QWidget* container = found->second) {
    container->hide();
    container->deleteLater();
  }
  containers_.erase(found);
}

bool CVyr3ARWnd::StartViewer(const ViewerLaunch& launch) {
  if (launch.handle == 0) return false;  // it could never register
  return sys::StartDetachedProgram(launch.program, {launch.HandleArgument()}).started;
}

void CVyr3ARWnd::Pause(int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); }

void CVyr3ARWnd::SetBusy(bool busy) {
  if (busy) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QGuiApplication::restoreOverrideCursor();
  }
}

// --- the picture and the main window --------------------------------------

bool CVyr3ARWnd::LoadPicture(const std::string& path) {
  QImage picture(QString::fromStdString(path));
  if (picture.isNull()) return false;
  picture_ = std::move(picture);
  return true;
}

std::optional<Chapter> CVyr3ARWnd::PickChapter(int grade, Chapter preset) {
  return Services().pickChapter ? Services().pickChapter(grade, preset) : std::nullopt;
}

std::string CVyr3ARWnd::CaptionFormat() { return Services().captionFormat ? Services().captionFormat() : std::string(); }

void CVyr3ARWnd::ShowUnitCaption(int marker, const std::string& caption) {
  if (Services().showUnitCaption) Services().showUnitCaption(marker, caption);
}

void CVyr3ARWnd::SetButtonDisabled(int commandId, bool disabled) {
  if (Services().setButtonDisabled) Services().setButtonDisabled(commandId, disabled);
}

}  // namespace orvilo::ar
