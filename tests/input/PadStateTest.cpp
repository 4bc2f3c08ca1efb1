// Controller buttons and the stick as device buttons, over several controllers.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/PadState.h"

namespace tavro {
namespace {

class Recorder : public ButtonSink {
 public:
  void down(Button b) override { calls.push_back("down " + std::to_string(b)); }
  void up(Button b) override { calls.push_back("up " + std::to_string(b)); }
  std::vector<std::string> calls;
};
using Calls = std::vector<std::string>;

TEST(PadState, ControllerButtonsWorkTheirDeviceButtons) {
  const struct {
    int input;
    int button;
  } cases[] = {
      {kPadSouth, kGameA},   {kPadEast, kGameB},
      {kPadNorth, kTime},    {kPadBack, kTime},
      {kPadDpadLeft, kLeft}, {kPadDpadRight, kRight},
      {kPadWest, -1},        {kPadStart, -1},
      {kPadGuide, -1},       {kPadDpadUp, -1},
      {kPadDpadDown, -1},    {-1, -1},
      {kPadInputCount, -1},  {1000, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(padInputButton(c.input), c.button) << c.input;
    Recorder sink;
    PadState pads(sink);
    pads.button(7, c.input, true);
    pads.button(7, c.input, false);
    const Calls expected =
        c.button < 0 ? Calls{}
                     : Calls{"down " + std::to_string(c.button), "up " + std::to_string(c.button)};
    EXPECT_EQ(sink.calls, expected) << c.input;
  }
}

TEST(PadState, InputsOfOneButtonHoldItUntilTheLastLetsGo) {
  enum Kind { kDown, kUp, kStick, kRemove };
  struct Step {
    Kind kind;
    int32_t pad;
    int value;  // the input, or the stick's value
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
    Calls calls;
  };
  const Case cases[] = {
      {"Y and Back are both TIME",
       {{kDown, 1, kPadNorth}, {kDown, 1, kPadBack}, {kUp, 1, kPadNorth}, {kUp, 1, kPadBack}},
       {"down 2", "down 2", "up 2"}},
      {"D-pad and stick are both LEFT",
       {{kStick, 1, -30000}, {kDown, 1, kPadDpadLeft}, {kStick, 1, 0}, {kUp, 1, kPadDpadLeft}},
       {"down 3", "down 3", "up 3"}},
      {"the stick swings from left to right",
       {{kStick, 1, -30000}, {kStick, 1, 30000}, {kStick, 1, 100}},
       {"down 3", "up 3", "down 4", "up 4"}},
      {"the stick jitters at half its travel",
       {{kStick, 1, 16400}, {kStick, 1, 16000}, {kStick, 1, 16400}, {kStick, 1, 5000}},
       {"down 4", "up 4"}},
      {"two controllers hold one button",
       {{kDown, 1, kPadSouth}, {kDown, 2, kPadSouth}, {kUp, 1, kPadSouth}, {kUp, 2, kPadSouth}},
       {"down 0", "down 0", "up 0"}},
      {"a repeated press or a lone release changes nothing",
       {{kUp, 1, kPadSouth},
        {kDown, 1, kPadSouth},
        {kDown, 1, kPadSouth},
        {kUp, 1, kPadSouth},
        {kUp, 1, kPadSouth}},
       {"down 0", "up 0"}},
      {"a controller going away releases what it held",
       {{kDown, 1, kPadSouth},
        {kStick, 1, 32767},
        {kDown, 1, kPadBack},
        {kRemove, 1, 0},
        {kUp, 1, kPadSouth}},
       {"down 0", "down 4", "down 2", "up 0", "up 2", "up 4"}},
      {"but not what another controller still holds",
       {{kDown, 1, kPadEast},
        {kDown, 2, kPadEast},
        {kRemove, 1, 0},
        {kRemove, 1, 0},
        {kUp, 2, kPadEast}},
       {"down 1", "down 1", "up 1"}},
      {"a controller plugged in again starts afresh",
       {{kStick, 3, -20000}, {kRemove, 3, 0}, {kStick, 3, -12000}, {kStick, 3, -20000}},
       {"down 3", "up 3", "down 3"}},
  };
  for (const Case& c : cases) {
    Recorder sink;
    PadState pads(sink);
    for (const Step& step : c.steps) {
      switch (step.kind) {
        case kDown:
        case kUp:
          pads.button(step.pad, step.value, step.kind == kDown);
          break;
        case kStick:
          pads.stickX(step.pad, step.value);
          break;
        case kRemove:
          pads.remove(step.pad);
          break;
      }
    }
    EXPECT_EQ(sink.calls, c.calls) << c.name;
  }
}

TEST(PadState, ControllersBeyondTheLimitAreLeftOut) {
  Recorder sink;
  PadState pads(sink);
  for (int32_t pad = 0; pad < PadState::kMaxPads + 2; ++pad) {
    pads.button(pad, kPadEast, true);
  }
  EXPECT_EQ(sink.calls.size(), static_cast<std::size_t>(PadState::kMaxPads));
  for (int32_t pad = 0; pad < PadState::kMaxPads + 2; ++pad) {
    pads.remove(pad);
  }
  EXPECT_FALSE(pads.holds(kGameB));
  EXPECT_EQ(sink.calls.back(), "up 1");
}

}  // namespace
}  // namespace tavro
