#pragma once
// The game's random source: a Mersenne Twister seeded once from the clock,
// giving uniform draws of 0..3.

#include <cstdint>
#include <random>

#include "Ports.h"

namespace tavro {

class ClockSeededRandom : public RandomSource {
 public:
  ClockSeededRandom();
  // A fixed seed, for reproducible runs.
  explicit ClockSeededRandom(uint32_t seed);

  int draw4() override;

 private:
  std::mt19937 engine_;
  std::uniform_int_distribution<int> outcomes_{0, 3};
};

}  // namespace tavro
