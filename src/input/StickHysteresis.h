#pragma once
// A stick axis read as a direction. The stick points one way once it is
// pushed past half its travel, and lets go only when it comes back within a
// third of it, so a stick held near the threshold (or a worn one that jitters
// there) never presses and releases in turn.

namespace tavro {

class StickHysteresis {
 public:
  // Axis values run from -32768 to 32767, as SDL reports them.
  static constexpr int kPressAt = 16384;    // half of the travel
  static constexpr int kReleaseAt = 10923;  // a third of the travel

  // The direction after the axis moved to `value`: -1, 0 or 1. A stick thrown
  // from one side to the other in one step turns straight to the other side.
  int update(int value);
  int direction() const { return direction_; }

 private:
  int direction_ = 0;
};

}  // namespace tavro
