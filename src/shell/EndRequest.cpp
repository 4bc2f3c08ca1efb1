#include "shell/EndRequest.h"

#include <atomic>

namespace tavro {
namespace {

std::atomic<bool> g_requested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

}  // namespace

void requestEnd() {
  g_requested.store(true, std::memory_order_relaxed);
}

bool endRequested() {
  return g_requested.load(std::memory_order_relaxed);
}

void clearEndRequest() {
  g_requested.store(false, std::memory_order_relaxed);
}

}  // namespace tavro
