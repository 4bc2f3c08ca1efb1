#include "shell/TimeZoneGuard.h"

#include <cstdlib>

#include "device/ZoneFile.h"

namespace tavro {

bool guardTimeZone() {
#if defined(_WIN32)
  return false;  // the C runtime's TZ names no file
#else
  const char* tz = std::getenv("TZ");
  if (tz == nullptr) return false;  // /etc/localtime, the system's own
  char file[4096];
  if (!zoneFilePath(tz, file, sizeof file) || !isSpecialFile(file)) return false;
  ::setenv("TZ", "UTC0", 1);
  return true;
#endif
}

}  // namespace tavro
