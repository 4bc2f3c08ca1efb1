#pragma once
// Runs a piece of a test in a child process, for faults that would block the
// process for good (a read from a named pipe, a lock that is never free): the
// test then fails instead of hanging. The deadline is far above any normal run.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <optional>
#include <thread>

namespace tavro::testing {

// The child's exit status (work's result), or nothing when it did not end
// within `seconds` (it is then killed) or ended by a signal.
inline std::optional<int> exitOfChild(const std::function<int()>& work, int seconds = 20) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(work());
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  int status = 0;
  while (child > 0 && ::waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) ::kill(child, SIGKILL);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return child > 0 && WIFEXITED(status) ? std::optional<int>(WEXITSTATUS(status)) : std::nullopt;
}

}  // namespace tavro::testing
