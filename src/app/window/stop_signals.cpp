#include "app/window/stop_signals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>

namespace lumiglow {
namespace {

int g_signal_pipe[2] = {-1, -1};

// Only an async-signal-safe write here; the event loop does the rest.
void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = write(g_signal_pipe[1], &byte, 1);
}

}  // namespace

void RouteStopSignals(QObject* owner, std::function<void()> on_stop) {
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signal_pipe) != 0) return;
  auto* notifier = new QSocketNotifier(g_signal_pipe[0], QSocketNotifier::Read, owner);
  QObject::connect(notifier, &QSocketNotifier::activated, owner, [on_stop = std::move(on_stop)] {
    char byte = 0;
    [[maybe_unused]] const ssize_t n = read(g_signal_pipe[0], &byte, 1);
    on_stop();
  });
  struct sigaction action{};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

}  // namespace lumiglow
