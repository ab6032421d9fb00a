// A window of the program: a Qt widget that speaks in numbered messages.
//
// What a window gives its subclasses and peers:
//  - identity: a control identifier and a window name, set by Create;
//  - messages: PostMessage (thread-safe, queued for the window's thread),
//    SendMessage (synchronous; from another thread it blocks until handled),
//    both arriving in OnMessage; commands and timers are dispatched from
//    there to OnCommand and OnTimer, so a subclass's message map is a switch
//    in those three functions;
//  - timers by fixed identifier (setting an identifier again replaces it);
//  - a C handle (vx_hwnd) for C libraries that post to the window;
//  - non-client behaviour from HitTestAt: a press on Caption drags the
//    window, a press on an edge or corner sizes it (top-level windows ask the
//    window system first and track the mouse themselves where it cannot;
//    child windows are always tracked here), with OnMoving/OnSizing hooks
//    that may adjust the proposed rectangle, the minimum size as the minimum
//    tracking size, and OnEnterSizeMove/OnExitSizeMove around the gesture;
//  - the pointer capture (SetCapture/ReleaseCapture).
#pragma once

#include <QPoint>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <map>
#include <optional>

#include "platform/win/message.h"
#include "platform/abi/vx_hwnd.h"

namespace orvilo::win {

enum class HitTest { Nowhere, Client, Caption, Left, Right, Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight };

class Window : public QWidget {
  Q_OBJECT
 public:
  explicit Window(QWidget* parent = nullptr);
  ~Window() override;

  // Makes this a child window of `parent` with a name, control identifier
  // and rectangle (parent client coordinates), shown when `visible`. Runs
  // OnCreate; false (and the window left hidden) when that refuses.
  bool Create(QWidget* parent, const QString& windowName, int controlId, const QRect& rect, bool visible = true);

  int ControlId() const { return controlId_; }
  void SetControlId(int id);

  // Queues a message for this window's thread; safe from any thread.
  bool PostMessage(std::uint32_t id, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
  bool PostCommand(int commandId) { return PostMessage(kCommand, static_cast<std::uintptr_t>(commandId), 0); }
  // Handles a message before returning its result; from another thread the
  // caller waits for the window's thread.
  std::intptr_t SendMessage(std::uint32_t id, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
  std::intptr_t SendCommand(int commandId) { return SendMessage(kCommand, static_cast<std::uintptr_t>(commandId), 0); }

  // The C handle of this window; valid memory for the whole run.
  vx_hwnd Handle();
  // The live window a handle or handle number names, or null.
  static Window* FromHandle(vx_hwnd handle);
  static Window* FromHandleId(std::uint32_t id);

  // Timers by fixed identifier; they repeat until killed.
  void SetTimer(int id, int milliseconds);
  void KillTimer(int id);
  std::optional<int> TimerInterval(int id) const;  // empty when not set

  // Hit test in window coordinates; Client by default.
  virtual HitTest HitTestAt(const QPoint& windowPoint) const;
  bool IsSizingOrMoving() const { return tracking_.has_value(); }

  // The pointer capture: while held, the window gets every pointer event,
  // also outside its rectangle, so it notices the pointer leaving. The
  // window system is asked for a real grab when the window is visible;
  // HasCapture is the window's own record, so rules built on it work alike
  // where no grab is granted (offscreen, some compositors), where the
  // window hears of leaving by leave events instead. Taking a held capture
  // or releasing a free one does nothing; the toolkit ends the grab of a
  // window that is destroyed.
  void SetCapture();
  void ReleaseCapture();
  bool HasCapture() const { return captured_; }

  // The rectangle, in the parent's coordinates, that dragging the window by
  // its caption keeps it inside (a window larger than it sticks to its top
  // left). An empty rectangle, the default, leaves moves unbounded. Set by
  // the owner, which knows its own layout.
  void SetDragBounds(const QRect& bounds) { dragBounds_ = bounds; }
  const QRect& DragBounds() const { return dragBounds_; }

 protected:
  virtual bool OnCreate() { return true; }
  virtual std::intptr_t OnMessage(const Msg& message);
  virtual bool OnCommand(int commandId);  // true when handled
  virtual void OnTimer(int id);

  virtual void OnEnterSizeMove() {}
  virtual void OnExitSizeMove() {}
  virtual void OnMoving(QRect& proposedGeometry) { (void)proposedGeometry; }
  virtual void OnSizing(HitTest edge, QRect& proposedGeometry) {
    (void)edge;
    (void)proposedGeometry;
  }

  bool event(QEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  struct Tracking {
    HitTest edge;
    QPoint startGlobal;
    QRect startGeometry;
  };
  bool BeginTracking(HitTest edge, const QPoint& global);
  void UpdateTracking(const QPoint& global);
  void EndTracking();
  static QRect ProposedGeometry(const Tracking& tracking, const QPoint& global);

  int controlId_ = 0;
  struct HandleSlot* handle_ = nullptr;
  std::map<int, std::pair<int, int>> timers_;  // our id -> (Qt timer id, interval)
  std::optional<Tracking> tracking_;
  bool captured_ = false;
  QRect dragBounds_;
};

}  // namespace orvilo::win
