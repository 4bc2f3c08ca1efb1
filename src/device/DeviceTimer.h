#pragma once
// One of the eight device timers: an interval in milliseconds and an enabled
// flag over a TimerBackend. A change of either restarts the period; setting the
// same value again changes nothing, so a running timer is never restarted by
// re-enabling it or by giving it the interval it already has.

#include "Ports.h"

namespace tavro {

class DeviceTimer {
 public:
  DeviceTimer(TimerBackend& backend, TimerId id) : backend_(&backend), id_(id) {}

  void setInterval(int ms);
  void setEnabled(bool enabled);

  int interval() const { return interval_; }
  bool enabled() const { return enabled_; }
  TimerId id() const { return id_; }

 private:
  TimerBackend* backend_;
  TimerId id_;
  int interval_ = 1;
  bool enabled_ = false;
};

}  // namespace tavro
