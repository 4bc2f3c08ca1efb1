// The stick read as a direction: past half its travel, with hysteresis.

#include <gtest/gtest.h>

#include <vector>

#include "input/StickHysteresis.h"

namespace tavro {
namespace {

TEST(StickHysteresis, PressesPastHalfAndReleasesWithinAThird) {
  struct Case {
    const char* name;
    std::vector<int> values;
    std::vector<int> directions;
  };
  const Case cases[] = {
      {"rest and small moves", {0, 8000, -8000, 16383, -16383}, {0, 0, 0, 0, 0}},
      {"half the travel presses", {16384, 32767, 0}, {1, 1, 0}},
      {"the far end of the left side", {-16384, -32768, 0}, {-1, -1, 0}},
      // Jitter around the press threshold: pressed once, held until back within a third.
      {"jitter at the threshold", {16500, 16000, 16500, 15000, 12000, 11000}, {1, 1, 1, 1, 1, 1}},
      {"back within a third releases", {20000, 10922, 16000, 16384}, {1, 0, 0, 1}},
      {"left side mirrors", {-20000, -11000, -10922, -16000}, {-1, -1, 0, 0}},
      {"thrown across in one step", {32767, -32768, 32767}, {1, -1, 1}},
      {"through the centre to the other side's dead zone", {32767, -12000}, {1, 0}},
  };
  for (const Case& c : cases) {
    StickHysteresis stick;
    std::vector<int> got;
    for (int value : c.values) {
      got.push_back(stick.update(value));
    }
    EXPECT_EQ(got, c.directions) << c.name;
    EXPECT_EQ(stick.direction(), c.directions.back()) << c.name;
  }
}

}  // namespace
}  // namespace tavro
