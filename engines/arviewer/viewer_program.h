// The sample AR viewer as a program: started by the AR view as
//
//   "<program folder>/AR/<grade>/<semester>/<unit>/ARViewer.exe" <handle>
//
// it connects to the AR view's message channel named by <handle>, registers
// its window (5025), and then follows the AR view's messages until it is
// told to close (5026) or the AR view goes away. The unit's picture is
// "scene.png" in the folder it was started from.
//
// With ORVILO_ARVIEWER_LOG set to a file, every message and answer is
// appended to it, one line each ("recv 5032 110 0", "answer 5025 1", and
// "closed" when the AR view went away, "exit" at the end), for tests and for
// anyone writing a viewer of their own.
#pragma once

#include <QFile>
#include <QObject>
#include <memory>

#include "engines/arviewer/turntable_view.h"
#include "engines/arviewer/viewer_state.h"
#include "platform/win/message_channel.h"

namespace orvilo::arviewer {

class ViewerProgram : public QObject {
  Q_OBJECT
 public:
  // `launchPath` is the path the viewer was started as (argv[0]).
  ViewerProgram(const QString& launchPath, std::int64_t handle);
  ~ViewerProgram() override;

  // Connects and registers; false (the program should end) when the AR view
  // is not there or refuses the window.
  bool Start();

 private:
  std::intptr_t OnMessage(const win::Msg& message);
  void Log(const QString& line);

  std::int64_t handle_;
  ViewerState state_;
  std::unique_ptr<TurntableView> view_;
  std::unique_ptr<win::MessageChannel> channel_;
  QFile log_;
};

}  // namespace orvilo::arviewer
