// Requests to end the program that come from outside it — SIGTERM, SIGINT
// and SIGHUP, and the desktop session ending — turned into one call on the
// user-interface thread, so that they run the same shutdown as the user's
// own way out (settings written, recordings finalised, engines stopped).
//
// The signal handler itself only writes one byte to a pipe that the event
// loop watches; no window is touched inside it. A second signal while the
// first is being handled ends the process at once (exit status 128 + the
// signal number), for the user who insists.
//
// One instance at a time, made and destroyed on the user-interface thread
// after the application object exists; destroying it restores the default
// signal dispositions.
#pragma once

#include <QObject>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace orvilo::win {

class TerminationRequests : public QObject {
  Q_OBJECT
 public:
  // `onRequest` runs on the user-interface thread, once per request.
  explicit TerminationRequests(std::function<void()> onRequest);
  ~TerminationRequests() override;
  TerminationRequests(const TerminationRequests&) = delete;
  TerminationRequests& operator=(const TerminationRequests&) = delete;

  // The signal that arrived last (0 for none or the session ending).
  int LastSignal() const { return lastSignal_; }

  // Closes every visible top-level window, modal ones included, as the
  // window system's close button would: each modal loop ends and unwinds.
  static void CloseEveryWindow();

 private:
  void OnPipeReadable();

  std::function<void()> onRequest_;
  std::unique_ptr<QSocketNotifier> notifier_;
  int lastSignal_ = 0;
};

}  // namespace orvilo::win
