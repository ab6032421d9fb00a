#include "platform/win/termination_requests.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QWidget>
#include <array>
#include <atomic>
#include <csignal>

namespace orvilo::win {
namespace {

constexpr std::array<int, 3> kHandledSignals = {SIGTERM, SIGINT, SIGHUP};

// Shared with the signal handler: plain descriptors and a lock-free counter
// are all it may touch.
int g_pipe[2] = {-1, -1};
std::atomic<int> g_requests{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void OnTerminationSignal(int number) {
  if (g_requests.fetch_add(1) > 0) _exit(128 + number);
  const unsigned char byte = static_cast<unsigned char>(number);
  [[maybe_unused]] const ssize_t written = write(g_pipe[1], &byte, 1);
}

void SetDisposition(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int number : kHandledSignals) sigaction(number, &action, nullptr);
}

}  // namespace

TerminationRequests::TerminationRequests(std::function<void()> onRequest) : onRequest_(std::move(onRequest)) {
  g_requests = 0;
  if (pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    g_pipe[0] = g_pipe[1] = -1;
    return;  // signals keep their default effect
  }
  notifier_ = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { OnPipeReadable(); });
  SetDisposition(OnTerminationSignal);
  if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    // The session manager asks before the desktop session ends.
    connect(gui, &QGuiApplication::commitDataRequest, this, [this] {
      lastSignal_ = 0;
      if (onRequest_) onRequest_();
    });
  }
}

TerminationRequests::~TerminationRequests() {
  if (g_pipe[0] < 0) return;
  SetDisposition(SIG_DFL);
  notifier_.reset();
  close(g_pipe[0]);
  close(g_pipe[1]);
  g_pipe[0] = g_pipe[1] = -1;
}

void TerminationRequests::OnPipeReadable() {
  unsigned char byte = 0;
  while (read(g_pipe[0], &byte, 1) == 1) {
    lastSignal_ = byte;
    if (onRequest_) onRequest_();
  }
}

void TerminationRequests::CloseEveryWindow() {
  // Each close ends its own modal loop (a dialog closed by the window system
  // acts as Cancel); nested loops then unwind one after the other.
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible()) window->close();
  }
}

}  // namespace orvilo::win
