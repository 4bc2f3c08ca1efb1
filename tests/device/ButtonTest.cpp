// Buttons: pressed images, latches under auto-repeat, mode steps, and the
// press-to-start / hold-to-view start of a game.
#include <gtest/gtest.h>

#include "DeviceFakes.h"

namespace tavro::testing {
namespace {

TEST(Buttons, PressedImageShowsAndHidesWhateverTheLatchAndMode) {
  DeviceRig rig;
  const struct {
    void (Device::*down)();
    void (Device::*up)();
    SkinImage image;
  } buttons[] = {
      {&Device::Inp_game_a_down, &Device::Inp_game_a_up, btn_game_a_down},
      {&Device::Inp_game_b_down, &Device::Inp_game_b_up, btn_game_b_down},
      {&Device::Inp_time_down, &Device::Inp_time_up, btn_time_down},
      {&Device::Inp_left_down, &Device::Inp_left_up, btn_left_down},
      {&Device::Inp_right_down, &Device::Inp_right_up, btn_right_down},
  };
  rig.device.latch_shared = true;
  rig.device.latch_game_a = true;
  rig.device.latch_game_b = true;
  for (const auto& b : buttons) {
    (rig.device.*b.down)();
    EXPECT_TRUE(rig.device.lcd().visible(b.image)) << b.image;
    (rig.device.*b.up)();
    EXPECT_FALSE(rig.device.lcd().visible(b.image)) << b.image;
  }
}

TEST(Buttons, TimeStepsThroughTheClockModes) {
  DeviceRig rig;
  rig.setMode(0);
  const int32_t expected[] = {1, 2, 3, 4, 5, 1, 2};
  for (int32_t mode : expected) {
    rig.pressTime();
    EXPECT_EQ(rig.device.device_mode, mode);
  }
}

TEST(Buttons, GameButtonsFromTheSegmentTestGoToTheClock) {
  for (bool gameA : {true, false}) {
    DeviceRig rig;
    rig.setMode(0);
    gameA ? rig.pressGameA() : rig.pressGameB();
    EXPECT_EQ(rig.device.device_mode, 1);
    EXPECT_TRUE(rig.device.lcd().visible(im_panel_time_1));
  }
}

TEST(Buttons, AutoRepeatChangesTheModeOnce) {
  DeviceRig rig;
  rig.setMode(1);
  for (int i = 0; i < 20; ++i) rig.device.Inp_time_down();
  EXPECT_EQ(rig.device.device_mode, 2);
  rig.device.Inp_time_up();
  rig.device.Inp_time_down();
  EXPECT_EQ(rig.device.device_mode, 3);
}

TEST(Buttons, AutoRepeatMovesTheHeroOnce) {
  DeviceRig rig;
  rig.startGame(8);
  for (int i = 0; i < 10; ++i) rig.device.Inp_left_down();
  EXPECT_EQ(rig.device.hero_column, 1);
  rig.device.Inp_left_up();
  for (int i = 0; i < 10; ++i) rig.device.Inp_right_down();
  rig.device.Inp_right_up();
  EXPECT_EQ(rig.device.hero_column, 2);
  EXPECT_TRUE(rig.device.lcd().visible(im_hero(2, 2)));
  EXPECT_FALSE(rig.device.lcd().visible(im_hero(1, 1)));
  // Bounds.
  rig.pressRight();
  rig.pressRight();
  EXPECT_EQ(rig.device.hero_column, 3);
  rig.pressLeft();
  rig.pressLeft();
  rig.pressLeft();
  EXPECT_EQ(rig.device.hero_column, 1);
  EXPECT_FALSE(rig.device.lcd().visible(im_hero(2, 1)));
  EXPECT_FALSE(rig.device.lcd().visible(im_hero(3, 1)));
}

TEST(Buttons, TimeLeftAndRightShareOneLatch) {
  DeviceRig rig;
  rig.startGame(8);
  rig.device.Inp_time_down();
  rig.device.Inp_left_down();
  EXPECT_EQ(rig.device.hero_column, 2) << "held time blocks left";
  rig.device.Inp_left_up();  // any of the three releases clears the latch
  rig.device.Inp_left_down();
  EXPECT_EQ(rig.device.hero_column, 1);
  rig.device.Inp_right_down();
  EXPECT_EQ(rig.device.hero_column, 1) << "held left blocks right";
  rig.device.Inp_time_up();
  rig.device.Inp_right_down();
  EXPECT_EQ(rig.device.hero_column, 2);
  EXPECT_EQ(rig.device.device_mode, 8) << "time never leaves a running game";
}

TEST(Buttons, PressThenReleaseAfter300MsStartsTheGameAt1800Ms) {
  DeviceRig rig;
  rig.device.setHighScores(57, 0);
  rig.setMode(3);
  rig.sound.take();
  rig.device.Inp_game_a_down();
  EXPECT_EQ(rig.device.device_mode, 6);
  EXPECT_TRUE(rig.device.lcd().visible(im_panel_game_a));
  EXPECT_FALSE(rig.device.lcd().visible(im_panel_alarm));
  EXPECT_EQ(rig.device.lcd().panelText(), "  57");
  EXPECT_TRUE(rig.device.lcd().visible(im_hero(2, 1)));
  EXPECT_TRUE(rig.device.lcd().visible(im_hero(2, 2)));
  for (int c = 1; c <= 3; ++c) EXPECT_TRUE(rig.device.lcd().visible(im_item_target(c)));
  EXPECT_EQ(rig.sound.take(), std::vector<Cue>{Cue::Start});
  rig.clock.advance(300);
  rig.device.Inp_game_a_up();
  EXPECT_EQ(rig.device.device_mode, 6);
  rig.clock.advanceTo(1799);
  EXPECT_EQ(rig.device.device_mode, 6);
  rig.clock.advanceTo(1800);
  EXPECT_EQ(rig.device.device_mode, 8);
  EXPECT_EQ(rig.device.lcd().panelText(), "   0");
  EXPECT_TRUE(rig.device.playing);
  EXPECT_TRUE(rig.device.lcd().visible(im_panel_game_a)) << "the picture of mode 6 stays";
  EXPECT_EQ(rig.device.timer(TimerId::Game).interval(), 250);
}

TEST(Buttons, HoldingTheGameButtonShowsTheHighScoreUntilRelease) {
  DeviceRig rig;
  rig.device.setHighScores(0, 88);
  rig.setMode(1);
  rig.device.Inp_game_b_down();
  for (int64_t t = 500; t < 5000; t += 500) {
    rig.clock.advanceTo(t);
    rig.device.Inp_game_b_down();  // auto-repeat
    EXPECT_EQ(rig.device.device_mode, 7);
    EXPECT_EQ(rig.device.lcd().panelText(), "  88");
  }
  rig.clock.advanceTo(5000);
  rig.device.Inp_game_b_up();
  EXPECT_EQ(rig.device.device_mode, 9);
  EXPECT_EQ(rig.device.timer(TimerId::Game).interval(), 215);
}

TEST(Buttons, GameBInModeSixIsIgnoredAndGameAStillStarts) {
  DeviceRig rig;
  rig.setMode(1);
  rig.pressGameA();
  rig.sound.take();
  rig.clock.advance(500);
  rig.pressGameB();
  EXPECT_EQ(rig.device.device_mode, 6);
  EXPECT_TRUE(rig.sound.take().empty());
  EXPECT_FALSE(rig.device.lcd().visible(im_panel_game_b));
  rig.clock.advanceTo(1800);
  EXPECT_EQ(rig.device.device_mode, 8);
}

TEST(Buttons, GameAndTimeDuringARunningGameDoNothing) {
  DeviceRig rig;
  rig.startGame(9);
  rig.pressGameA();
  rig.pressGameB();
  rig.pressTime();
  EXPECT_EQ(rig.device.device_mode, 9);
  EXPECT_TRUE(rig.device.playing);
}

TEST(Buttons, LeftAndRightOutsideAGameOnlyShowTheirImages) {
  DeviceRig rig;
  rig.setMode(0);
  rig.display.calls.clear();
  rig.pressLeft();
  rig.pressRight();
  const std::vector<DisplayCall> expected = {{btn_left_down, false, 1},
                                             {btn_left_down, false, 0},
                                             {btn_right_down, false, 1},
                                             {btn_right_down, false, 0}};
  EXPECT_EQ(rig.display.calls, expected);
  EXPECT_EQ(rig.device.device_mode, 0);
}

TEST(Modes, SegmentTestKeepsTimersAndGameOverKeepsThePicture) {
  DeviceRig rig;
  rig.setMode(1);
  rig.setMode(0);
  EXPECT_TRUE(rig.device.timer(TimerId::Clock).enabled());
  EXPECT_EQ(rig.device.lcd().visibleSegmentCount(), 58);
  rig.display.calls.clear();
  for (int32_t mode : {10, 11, -1}) rig.setMode(mode);
  EXPECT_TRUE(rig.display.calls.empty());
}

}  // namespace
}  // namespace tavro::testing
