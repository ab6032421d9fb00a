#include "engines/arviewer/viewer_program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTimer>

namespace orvilo::arviewer {

namespace {

// "AR/3/1/2/ARViewer.exe" → "3 학년 1 학기 2 단원"; any other path → its folder name.
QString TitleOf(const QFileInfo& launch) {
  const QStringList parts = launch.absolutePath().split('/', Qt::SkipEmptyParts);
  if (parts.size() >= 3) {
    bool ok[3];
    const int grade = parts[parts.size() - 3].toInt(&ok[0]);
    const int semester = parts[parts.size() - 2].toInt(&ok[1]);
    const int unit = parts.back().toInt(&ok[2]);
    if (ok[0] && ok[1] && ok[2]) return QString("%1 학년 %2 학기 %3 단원").arg(grade).arg(semester).arg(unit);
  }
  return launch.dir().dirName();
}

}  // namespace

ViewerProgram::ViewerProgram(const QString& launchPath, std::int64_t handle) : handle_(handle) {
  const QFileInfo launch(launchPath);
  const QImage picture(launch.absoluteDir().filePath("scene.png"));
  view_ = std::make_unique<TurntableView>(picture, TitleOf(launch), state_);
  view_->setWindowTitle("ARViewer");
  view_->setWindowFlag(Qt::FramelessWindowHint);
  view_->resize(640, 480);
  const QString logPath = qEnvironmentVariable("ORVILO_ARVIEWER_LOG");
  if (!logPath.isEmpty()) {
    log_.setFileName(logPath);
    log_.open(QIODevice::Append | QIODevice::Text);
  }
}

ViewerProgram::~ViewerProgram() {
  channel_.reset();
  Log("exit");
}

void ViewerProgram::Log(const QString& line) {
  if (!log_.isOpen()) return;
  log_.write(line.toUtf8() + '\n');
  log_.flush();
}

bool ViewerProgram::Start() {
  channel_ = win::MessageChannel::Connect(handle_, [this](win::MessageChannel&, const win::Msg& m) { return OnMessage(m); });
  if (!channel_) {
    Log("no channel " + QString::number(handle_));
    return false;
  }
  QObject::connect(channel_.get(), &win::MessageChannel::closed, qApp, [this] {
    Log("closed");
    QCoreApplication::quit();
  });
  // On X11 the AR view embeds this window (so it must exist as a native
  // window before registering) and shows it; elsewhere the viewer keeps its
  // own window over the AR view.
  const bool embedded = QGuiApplication::platformName() == QLatin1String("xcb");
  if (!embedded) view_->setWindowFlag(Qt::WindowStaysOnTopHint);
  const auto ownHandle = static_cast<std::uintptr_t>(view_->winId());
  const std::optional<std::intptr_t> registered = channel_->Send(win::Msg{message::kRegister, ownHandle, 0});
  Log("answer " + QString::number(message::kRegister) + " " + (registered ? QString::number(*registered) : "none"));
  if (!registered || *registered != 1) return false;
  view_->show();
  const std::optional<std::intptr_t> acknowledged = channel_->Send(win::Msg{message::kAcknowledge, 0, 0});
  Log("answer " + QString::number(message::kAcknowledge) + " " +
      (acknowledged ? QString::number(*acknowledged) : "none"));
  return true;
}

std::intptr_t ViewerProgram::OnMessage(const win::Msg& message) {
  Log(QString("recv %1 %2 %3")
          .arg(message.id)
          .arg(SignedParameter(message.wParam))
          .arg(static_cast<qint64>(message.lParam)));
  bool handled = false;
  switch (state_.Apply(message.id, message.wParam, message.lParam, handled)) {
    case Effect::Quit: QTimer::singleShot(0, qApp, &QCoreApplication::quit); break;
    case Effect::Resize:
      if (state_.Width() > 0 && state_.Height() > 0) view_->resize(state_.Width(), state_.Height());
      break;
    case Effect::Repaint: view_->update(); break;
    case Effect::None: break;
  }
  return handled ? 1 : 0;
}

}  // namespace orvilo::arviewer
