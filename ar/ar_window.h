// CVyr3ARWnd, the AR view: shows the chosen grade's picture, runs the
// chapter picker through the main window, starts the unit's viewer and
// talks to it (ArSession holds the rules; this is the window around them).
//
// The view listens for its viewer on a message channel named after its
// handle number, which the viewer gets on its command line. On X11 the
// registered viewer's window is embedded in the view, filling it; on other
// window systems the viewer keeps its own window over the view.
#pragma once

#include <QImage>
#include <QPointer>
#include <cstdint>
#include <map>
#include <memory>

#include "ar/ar_session.h"
#include "ar/ar_view.h"

namespace orvilo::win {
class MessageChannel;
class MessageChannelServer;
}  // namespace orvilo::win

namespace orvilo::ar {

class CVyr3ARWnd : public ArView, private ArSessionHost {
  Q_OBJECT
 public:
  explicit CVyr3ARWnd(QWidget* parent = nullptr);
  // Closes a running viewer.
  ~CVyr3ARWnd() override;

  void OnBarCommand(int commandId) override;
  bool HasViewer() const override;
  bool CloseViewer() override;
  bool GradeHasContent(int grade) const override;
  void SetServices(ArServices services) override;

  ArSession& Session() { return session_; }
  const QImage& Picture() const { return picture_; }
  // The number on the viewer's command line (0 when no channel could be
  // opened: then viewers cannot register).
  std::int64_t ChannelHandle() const;
  // How long a message to the viewer may wait for its answer.
  void SetReplyTimeout(int milliseconds) { replyTimeoutMs_ = milliseconds; }
  // The window embedding the viewer's, when there is one.
  QWidget* ViewerContainer() const;

 protected:
  bool OnCreate() override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // ArSessionHost
  bool IsViewerWindow(std::int64_t handle) override;
  std::optional<std::intptr_t> SendToViewer(std::int64_t handle, std::uint32_t number, std::uintptr_t wParam,
                                            std::intptr_t lParam) override;
  void ShowViewer(std::int64_t handle) override;
  void ForgetViewer(std::int64_t handle) override;
  std::int64_t OwnHandle() override { return ChannelHandle(); }
  bool StartViewer(const ViewerLaunch& launch) override;
  void Pause(int milliseconds) override;
  void SetBusy(bool busy) override;
  int ClientWidth() override { return width(); }
  int ClientHeight() override { return height(); }
  bool LoadPicture(const std::string& path) override;
  void ClearPicture() override { picture_ = QImage(); }
  void Repaint() override { update(); }
  std::optional<Chapter> PickChapter(int grade, Chapter preset) override;
  std::string CaptionFormat() override;
  void ShowUnitCaption(int marker, const std::string& caption) override;
  void SetButtonDisabled(int commandId, bool disabled) override;

  std::intptr_t OnChannelMessage(win::MessageChannel& channel, const win::Msg& message);
  void OnChannelClosed(win::MessageChannel* channel);
  void DropContainer(std::int64_t handle);

  ArSession session_;
  std::unique_ptr<win::MessageChannelServer> server_;
  std::map<std::int64_t, QPointer<win::MessageChannel>> viewers_;
  std::map<std::int64_t, QPointer<QWidget>> containers_;
  QImage picture_;
  int replyTimeoutMs_;
};

}  // namespace orvilo::ar
