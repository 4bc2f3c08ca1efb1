#include "shell/PlatformChoice.h"

#include <cstdlib>

namespace tavro {

const char* platformFor(const char* display, const char* chosen) {
  const bool userChose = chosen != nullptr && *chosen != '\0';
  const bool xServer = display != nullptr && *display != '\0';
  return !userChose && xServer ? "xcb;wayland" : nullptr;
}

void choosePlatform() {
#if defined(__linux__)
  if (const char* platform = platformFor(std::getenv("DISPLAY"), std::getenv("QT_QPA_PLATFORM"))) {
    setenv("QT_QPA_PLATFORM", platform, 1);
  }
#endif
}

}  // namespace tavro
