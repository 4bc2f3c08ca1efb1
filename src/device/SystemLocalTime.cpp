#include "SystemLocalTime.h"

#include <chrono>
#include <ctime>

namespace tavro {

namespace {

// The broken-down local time of `seconds`; false when it cannot be represented.
bool toLocalParts(std::time_t seconds, std::tm& parts) {
#ifdef _WIN32
  return localtime_s(&parts, &seconds) == 0;
#else
  return localtime_r(&seconds, &parts) != nullptr;
#endif
}

}  // namespace

LocalDateTime SystemLocalTime::now() const {
  zone_.refresh();
  const auto point = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(point);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(point.time_since_epoch());
  std::tm parts{};
  LocalDateTime result;
  if (!toLocalParts(seconds, parts)) return result;
  result.year = parts.tm_year + 1900;
  result.month = parts.tm_mon + 1;
  result.day = parts.tm_mday;
  result.hour = parts.tm_hour;
  result.minute = parts.tm_min;
  result.second = parts.tm_sec > 59 ? 59 : parts.tm_sec;  // a leap second reads as 59
  result.millisecond = static_cast<int>(((ms.count() % 1000) + 1000) % 1000);
  return result;
}

}  // namespace tavro
