#pragma once
// The host's local date and time, read afresh on every call, in the host's
// current time zone (a zone change shows at the next call).

#include "HostZone.h"
#include "Ports.h"

namespace tavro {

class SystemLocalTime : public LocalTime {
 public:
  LocalDateTime now() const override;

 private:
  mutable HostZone zone_;
};

}  // namespace tavro
