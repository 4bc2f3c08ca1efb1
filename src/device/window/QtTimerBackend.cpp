#include "device/window/QtTimerBackend.h"

#include <algorithm>

namespace tavro {

QtTimerBackend::QtTimerBackend() {
  for (int i = 0; i < kTimerCount; ++i) {
    QTimer& timer = timers_[static_cast<std::size_t>(i)];
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(1);
    QObject::connect(&timer, &QTimer::timeout, [this, i] { tick(static_cast<TimerId>(i)); });
  }
}

void QtTimerBackend::start(TimerId id, int intervalMs) {
  // QTimer::start(ms) restarts the period even when the timer runs already.
  timers_[static_cast<std::size_t>(id)].start(std::max(intervalMs, 0));
}

void QtTimerBackend::stop(TimerId id) {
  timers_[static_cast<std::size_t>(id)].stop();
}

bool QtTimerBackend::isActive(TimerId id) const {
  return timers_[static_cast<std::size_t>(id)].isActive();
}

int QtTimerBackend::interval(TimerId id) const {
  return timers_[static_cast<std::size_t>(id)].interval();
}

void QtTimerBackend::tick(TimerId id) {
  if (sink_ == nullptr) {
    return;
  }
  if (wrap_) {
    wrap_([this, id] { sink_->onTimer(id); });
  } else {
    sink_->onTimer(id);
  }
}

}  // namespace tavro
