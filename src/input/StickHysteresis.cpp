#include "input/StickHysteresis.h"

namespace tavro {

int StickHysteresis::update(int value) {
  if (value >= kPressAt) {
    direction_ = 1;
  } else if (value <= -kPressAt) {
    direction_ = -1;
  } else if (direction_ * value < kReleaseAt) {
    direction_ = 0;  // back within a third of the side it pointed to (or past the centre)
  }
  return direction_;
}

}  // namespace tavro
