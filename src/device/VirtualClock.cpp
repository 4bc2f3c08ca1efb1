#include "VirtualClock.h"

namespace tavro {

void VirtualClock::start(TimerId id, int intervalMs) {
  const int index = static_cast<int>(id);
  if (index < 0 || index >= kTimerCount) return;
  Slot& s = slot(id);
  s.active = true;
  s.interval = intervalMs < 1 ? 1 : intervalMs;
  s.due = now_ + s.interval;
  s.order = next_order_++;
}

void VirtualClock::stop(TimerId id) {
  const int index = static_cast<int>(id);
  if (index < 0 || index >= kTimerCount) return;
  slot(id).active = false;
}

int VirtualClock::nextSlot(int64_t limit) const {
  int best = -1;
  for (int i = 0; i < kTimerCount; ++i) {
    const Slot& s = slots_[i];
    if (!s.active || s.due > limit) continue;
    if (best < 0 || s.due < slots_[best].due ||
        (s.due == slots_[best].due && s.order < slots_[best].order)) {
      best = i;
    }
  }
  return best;
}

std::optional<int64_t> VirtualClock::nextDue() const {
  std::optional<int64_t> due;
  for (const Slot& s : slots_) {
    if (s.active && (!due || s.due < *due)) due = s.due;
  }
  return due;
}

void VirtualClock::advanceTo(int64_t time) {
  for (int index = nextSlot(time); index >= 0; index = nextSlot(time)) {
    Slot& s = slots_[index];
    now_ = s.due;
    // Schedule the next period first: the tick may restart or stop the timer.
    s.due += s.interval;
    s.order = next_order_++;
    ++ticks_;
    if (sink_ != nullptr) sink_->onTimer(static_cast<TimerId>(index));
  }
  if (time > now_) now_ = time;
}

void VirtualClock::advance(int64_t ms) {
  advanceTo(now_ + (ms > 0 ? ms : 0));
}

bool VirtualClock::advanceToNext() {
  const std::optional<int64_t> due = nextDue();
  if (!due) return false;
  advanceTo(*due);
  return true;
}

}  // namespace tavro
