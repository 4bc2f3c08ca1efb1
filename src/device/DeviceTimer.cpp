#include "DeviceTimer.h"

namespace tavro {

void DeviceTimer::setInterval(int ms) {
  if (ms < 1) ms = 1;  // a period of zero would tick without end
  if (ms == interval_) return;
  interval_ = ms;
  if (enabled_) backend_->start(id_, interval_);
}

void DeviceTimer::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled_) {
    backend_->start(id_, interval_);
  } else {
    backend_->stop(id_);
  }
}

}  // namespace tavro
