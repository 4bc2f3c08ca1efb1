// Key and mouse events turned into device button presses and releases.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/ButtonDispatcher.h"

namespace tavro {
namespace {

class Recorder : public ButtonSink {
 public:
  void down(Button b) override { calls.push_back("down " + std::to_string(b)); }
  void up(Button b) override { calls.push_back("up " + std::to_string(b)); }
  std::vector<std::string> calls;
};

class ButtonDispatcherTest : public ::testing::Test {
 protected:
  ButtonDispatcherTest() {
    for (int b = 0; b < kButtonCount; ++b) {
      bindings_[b].choice = kDefaultChoices[b];
      AssignWord(b + 1, bindings_[b], bindings_[b]);
    }
  }
  using Calls = std::vector<std::string>;

  std::array<KeyBinding, kButtonCount> bindings_{};
  Recorder sink_;
  ButtonDispatcher dispatch_{bindings_, sink_};
};

constexpr uint16_t kKey1 = 49, kLeftArrow = 37, kRightArrow = 39;

TEST_F(ButtonDispatcherTest, HeldKeyWithX11AutoRepeatReleasesOnceAtTheEnd) {
  EXPECT_TRUE(dispatch_.keyDown(kLeftArrow, false));
  for (int i = 0; i < 3; ++i) {  // release+press pairs, both marked as repeats
    EXPECT_TRUE(dispatch_.keyUp(kLeftArrow, true));
    EXPECT_TRUE(dispatch_.keyDown(kLeftArrow, true));
  }
  EXPECT_TRUE(dispatch_.keyUp(kLeftArrow, false));
  // Every repeat reaches the device, whose latch absorbs it; one release.
  EXPECT_EQ(sink_.calls, (Calls{"down 3", "down 3", "down 3", "down 3", "up 3"}));
}

TEST_F(ButtonDispatcherTest, UnboundKeysAreLeftAlone) {
  EXPECT_FALSE(dispatch_.keyDown(65, false));
  EXPECT_FALSE(dispatch_.keyUp(65, false));
  EXPECT_FALSE(dispatch_.keyDown(0x61, false));  // keypad 1
  EXPECT_FALSE(dispatch_.keyDown(0, false));
  EXPECT_TRUE(sink_.calls.empty());
}

TEST_F(ButtonDispatcherTest, KeyThenMouseIsOnePressReleasedByTheFirstRelease) {
  dispatch_.keyDown(kKey1, false);
  dispatch_.mouseDown(kGameA);
  dispatch_.keyUp(kKey1, false);  // first release: releases the button
  dispatch_.mouseUp(kGameA);      // second: swallowed
  EXPECT_EQ(sink_.calls, (Calls{"down 0", "down 0", "up 0"}));

  sink_.calls.clear();
  dispatch_.keyDown(kKey1, false);
  dispatch_.mouseDown(kGameA);
  dispatch_.mouseUp(kGameA);       // first release, from the mouse this time
  dispatch_.keyDown(kKey1, true);  // the key still repeats: no new press
  dispatch_.keyUp(kKey1, true);
  dispatch_.keyUp(kKey1, false);  // swallowed
  EXPECT_EQ(sink_.calls, (Calls{"down 0", "down 0", "up 0"}));
}

TEST_F(ButtonDispatcherTest, MouseThenKeyIsOnePressReleasedByTheFirstRelease) {
  dispatch_.mouseDown(kRight);
  dispatch_.keyDown(kRightArrow, false);
  dispatch_.mouseUp(kRight);
  dispatch_.keyUp(kRightArrow, false);
  EXPECT_EQ(sink_.calls, (Calls{"down 4", "down 4", "up 4"}));

  sink_.calls.clear();
  dispatch_.mouseDown(kRight);
  dispatch_.keyDown(kRightArrow, false);
  dispatch_.keyUp(kRightArrow, false);
  dispatch_.mouseUp(kRight);
  EXPECT_EQ(sink_.calls, (Calls{"down 4", "down 4", "up 4"}));

  // The next press works as usual.
  sink_.calls.clear();
  dispatch_.keyDown(kRightArrow, false);
  dispatch_.keyUp(kRightArrow, false);
  EXPECT_EQ(sink_.calls, (Calls{"down 4", "up 4"}));
}

TEST_F(ButtonDispatcherTest, LostKeyReleaseIsMadeGoodByTheNextRelease) {
  // The key goes up while another window has the focus: no release arrives.
  dispatch_.keyDown(kLeftArrow, false);
  // The next press and release of the key release the button.
  dispatch_.keyDown(kLeftArrow, false);
  dispatch_.keyUp(kLeftArrow, false);
  EXPECT_EQ(sink_.calls, (Calls{"down 3", "down 3", "up 3"}));

  // The same, ended by a click on the drawn button; the key works afterwards.
  sink_.calls.clear();
  dispatch_.keyDown(kLeftArrow, false);
  dispatch_.mouseDown(kLeft);
  dispatch_.mouseUp(kLeft);
  dispatch_.keyDown(kLeftArrow, false);
  dispatch_.keyUp(kLeftArrow, false);
  EXPECT_EQ(sink_.calls, (Calls{"down 3", "down 3", "up 3", "down 3", "up 3"}));
}

TEST_F(ButtonDispatcherTest, TwoButtonsOnOneKeyDriveOnlyTheFirst) {
  bindings_[kTime] = bindings_[kLeft];  // left arrow on time and left
  dispatch_.keyDown(kLeftArrow, false);
  dispatch_.keyUp(kLeftArrow, false);
  EXPECT_EQ(sink_.calls, (Calls{"down 2", "up 2"}));
}

TEST_F(ButtonDispatcherTest, ButtonsAreIndependent) {
  dispatch_.keyDown(kLeftArrow, false);
  dispatch_.mouseDown(kRight);
  dispatch_.keyUp(kLeftArrow, false);
  dispatch_.mouseUp(kRight);
  EXPECT_EQ(sink_.calls, (Calls{"down 3", "down 4", "up 3", "up 4"}));
}

TEST_F(ButtonDispatcherTest, ReleaseWithoutPressIsSwallowed) {
  dispatch_.keyUp(kKey1, false);
  dispatch_.mouseUp(kGameB);
  dispatch_.padUp(kGameB);
  EXPECT_TRUE(sink_.calls.empty());
}

// The controller is a third source under the same rule: every press reaches
// the device, the first release from any source releases, the others are
// swallowed, and a key whose hold was ended elsewhere stays quiet.
TEST_F(ButtonDispatcherTest, ControllerSharesTheButtonWithKeyAndMouse) {
  enum Step { kKeyDown, kKeyRepeat, kKeyUp, kMouseDown, kMouseUp, kPadDown, kPadUp };
  struct Case {
    const char* name;
    std::vector<Step> steps;
    Calls calls;
  };
  const Case cases[] = {
      {"pad alone", {kPadDown, kPadUp}, {"down 0", "up 0"}},
      {"pad first, key ends", {kPadDown, kKeyDown, kKeyUp, kPadUp}, {"down 0", "down 0", "up 0"}},
      {"key first, pad ends",
       {kKeyDown, kPadDown, kPadUp, kKeyRepeat, kKeyUp},
       {"down 0", "down 0", "up 0"}},
      {"mouse first, pad ends",
       {kMouseDown, kPadDown, kPadUp, kMouseUp},
       {"down 0", "down 0", "up 0"}},
      {"pad first, mouse ends",
       {kPadDown, kMouseDown, kMouseUp, kPadUp},
       {"down 0", "down 0", "up 0"}},
      {"all three, one release",
       {kKeyDown, kMouseDown, kPadDown, kMouseUp, kPadUp, kKeyUp},
       {"down 0", "down 0", "down 0", "up 0"}},
      {"pad again after its hold was ended",
       {kPadDown, kKeyDown, kKeyUp, kPadUp, kPadDown, kPadUp},
       {"down 0", "down 0", "up 0", "down 0", "up 0"}},
  };
  for (const Case& c : cases) {
    ButtonDispatcher dispatch{bindings_, sink_};
    sink_.calls.clear();
    for (Step step : c.steps) {
      switch (step) {
        case kKeyDown:
          dispatch.keyDown(kKey1, false);
          break;
        case kKeyRepeat:
          dispatch.keyUp(kKey1, true);
          dispatch.keyDown(kKey1, true);
          break;
        case kKeyUp:
          dispatch.keyUp(kKey1, false);
          break;
        case kMouseDown:
          dispatch.mouseDown(kGameA);
          break;
        case kMouseUp:
          dispatch.mouseUp(kGameA);
          break;
        case kPadDown:
          dispatch.padDown(kGameA);
          break;
        case kPadUp:
          dispatch.padUp(kGameA);
          break;
      }
    }
    EXPECT_EQ(sink_.calls, c.calls) << c.name;
  }
}

}  // namespace
}  // namespace tavro
