#pragma once
// A TimerBackend driven by virtual time, for tests, the demo and benchmarks.
// Nothing happens until advance() or advanceTo() is called; then every tick
// that falls due runs in time order (ties in the order they were scheduled).
// A timer that is neither restarted nor stopped during its own tick fires
// again one interval after its due time, so periods never drift.

#include <array>
#include <cstdint>
#include <optional>

#include "Ports.h"

namespace tavro {

class VirtualClock : public TimerBackend {
 public:
  explicit VirtualClock(TimerSink* sink = nullptr) : sink_(sink) {}

  // Where the ticks go; set before the first advance.
  void setSink(TimerSink* sink) { sink_ = sink; }

  void start(TimerId id, int intervalMs) override;
  void stop(TimerId id) override;

  // Runs every tick due up to and including now() + ms, then sets now() there.
  void advance(int64_t ms);
  void advanceTo(int64_t time);
  // Runs the ticks of the next due moment only; false when no timer runs.
  bool advanceToNext();

  int64_t now() const { return now_; }
  bool running(TimerId id) const { return slot(id).active; }
  // When the next tick of any timer falls due, if one runs.
  std::optional<int64_t> nextDue() const;
  // Number of ticks delivered so far.
  uint64_t ticks() const { return ticks_; }

 private:
  struct Slot {
    bool active = false;
    int64_t interval = 1;
    int64_t due = 0;
    uint64_t order = 0;  // scheduling order, breaks ties between equal due times
  };
  Slot& slot(TimerId id) { return slots_[static_cast<size_t>(id)]; }
  const Slot& slot(TimerId id) const { return slots_[static_cast<size_t>(id)]; }
  // The due slot to run first, or -1.
  int nextSlot(int64_t limit) const;

  TimerSink* sink_;
  std::array<Slot, kTimerCount> slots_{};
  int64_t now_ = 0;
  uint64_t next_order_ = 0;
  uint64_t ticks_ = 0;
};

}  // namespace tavro
