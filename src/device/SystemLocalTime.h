#pragma once
// The host's local date and time, read afresh on every call.

#include "Ports.h"

namespace tavro {

class SystemLocalTime : public LocalTime {
 public:
  LocalDateTime now() const override;
};

}  // namespace tavro
