#pragma once
// The eight device timers as Qt timers (precise, single-threaded): start()
// begins a new period from now, stop() halts; each timeout is passed on to the
// sink as a tick of that timer.

#include <QTimer>
#include <array>
#include <functional>

#include "device/Ports.h"

namespace tavro {

class QtTimerBackend : public TimerBackend {
 public:
  QtTimerBackend();
  QtTimerBackend(const QtTimerBackend&) = delete;
  QtTimerBackend& operator=(const QtTimerBackend&) = delete;

  // Where ticks go (the device); runs each tick through `wrap` when set, so
  // that an error in a tick can be reported by the window.
  void setSink(TimerSink* sink) { sink_ = sink; }
  void setTickWrapper(std::function<void(const std::function<void()>&)> wrap) {
    wrap_ = std::move(wrap);
  }

  void start(TimerId id, int intervalMs) override;
  void stop(TimerId id) override;

  bool isActive(TimerId id) const;
  int interval(TimerId id) const;

 private:
  void tick(TimerId id);

  std::array<QTimer, kTimerCount> timers_;
  TimerSink* sink_ = nullptr;
  std::function<void(const std::function<void()>&)> wrap_;
};

}  // namespace tavro
