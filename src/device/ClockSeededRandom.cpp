#include "ClockSeededRandom.h"

#include <chrono>

namespace tavro {

namespace {

uint32_t clockSeed() {
  const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  const auto wide = static_cast<uint64_t>(ticks);
  return static_cast<uint32_t>(wide ^ (wide >> 32));
}

}  // namespace

ClockSeededRandom::ClockSeededRandom() : engine_(clockSeed()) {}

ClockSeededRandom::ClockSeededRandom(uint32_t seed) : engine_(seed) {}

int ClockSeededRandom::draw4() {
  return outcomes_(engine_);
}

}  // namespace tavro
