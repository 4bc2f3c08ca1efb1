#include "shell/SignalExit.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include "shell/EndRequest.h"

#if !defined(_WIN32)
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#endif

namespace tavro {

#if defined(_WIN32)

// Windows has no such signals to end a windowed program; nothing to take.
SignalExit::SignalExit(QObject* parent) : QObject(parent) {}
SignalExit::~SignalExit() = default;
void SignalExit::readSignal() {}

#else

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
int g_pipe[2] = {-1, -1};  // [0] written by the handler, [1] read by the event loop

extern "C" void onSignal(int number) {
  const int saved = errno;
  requestEnd();  // seen by the start-up steps even before an event loop runs
  const char byte = static_cast<char>(number);
  [[maybe_unused]] const ssize_t written = ::write(g_pipe[0], &byte, 1);
  errno = saved;
}

void setHandler(int number, void (*handler)(int)) {
  struct sigaction action = {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(number, &action, nullptr);
}

bool ignoredAtStart(int number) {
  struct sigaction current = {};
  return sigaction(number, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

}  // namespace

SignalExit::SignalExit(QObject* parent) : QObject(parent) {
  if (g_pipe[0] >= 0 ||
      ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pipe) != 0) {
    return;
  }
  notifier_ = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { readSignal(); });
  for (int number : kSignals) {
    if (number == SIGTERM || !ignoredAtStart(number)) {
      setHandler(number, onSignal);
    }
  }
}

SignalExit::~SignalExit() {
  if (notifier_ == nullptr) {
    return;
  }
  for (int number : kSignals) {
    if (number == SIGTERM || !ignoredAtStart(number)) {
      setHandler(number, SIG_DFL);
    }
  }
  ::close(g_pipe[0]);
  ::close(g_pipe[1]);
  g_pipe[0] = g_pipe[1] = -1;
}

void SignalExit::readSignal() {
  char bytes[16];
  while (::read(g_pipe[1], bytes, sizeof bytes) > 0) {
  }
  QCoreApplication::exit(0);  // as the Exit command
}

#endif

}  // namespace tavro
