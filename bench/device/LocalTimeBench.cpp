// Cost of one reading of the host's local time, which the clock and date
// displays take twice a second: the zone check (TZ and one stat() of the zone
// file) and the conversion, with and without TZ set.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "device/SystemLocalTime.h"

namespace tavro {
namespace {

void readLocalTime(benchmark::State& state, const char* tz) {
  const char* before = std::getenv("TZ");
  const std::optional<std::string> saved =
      before ? std::optional<std::string>(before) : std::nullopt;
  if (tz)
    setenv("TZ", tz, 1);
  else
    unsetenv("TZ");
  const SystemLocalTime clock;
  for (auto _ : state) benchmark::DoNotOptimize(clock.now());
  if (saved)
    setenv("TZ", saved->c_str(), 1);
  else
    unsetenv("TZ");
  tzset();
}

// Without TZ: the zone of /etc/localtime.
void BM_LocalTimeHostZone(benchmark::State& state) {
  readLocalTime(state, nullptr);
}
BENCHMARK(BM_LocalTimeHostZone);

void BM_LocalTimeNamedZone(benchmark::State& state) {
  readLocalTime(state, "Europe/Berlin");
}
BENCHMARK(BM_LocalTimeNamedZone);

// A bare conversion, for comparison: what a reading cost before the zone check.
void BM_LocalTimeConversionOnly(benchmark::State& state) {
  for (auto _ : state) {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    benchmark::DoNotOptimize(localtime_r(&now, &parts));
  }
}
BENCHMARK(BM_LocalTimeConversionOnly);

}  // namespace
}  // namespace tavro
