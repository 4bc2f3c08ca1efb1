// Levels: the item limit and the tick interval follow the score modulo 200.
#include <gtest/gtest.h>

#include "DeviceFakes.h"

namespace tavro::testing {
namespace {

struct LevelCase {
  int32_t mode;
  int32_t scoreBefore;
  int32_t itemsBefore, intervalBefore;
  int32_t itemsAfter, intervalAfter;
};

class LevelTest : public ::testing::TestWithParam<LevelCase> {};

// Puts an item beside the hero just before the next tick and lets it be caught.
void catchOne(DeviceRig& rig) {
  rig.device.item_grid[rig.device.hero_column][5] = 1;
  rig.clock.advanceToNext();  // the game tick is the only timer running
}

TEST_P(LevelTest, CatchCrossesTheLevelBoundary) {
  const LevelCase& c = GetParam();
  DeviceRig rig;
  rig.startGame(c.mode);
  rig.device.score = c.scoreBefore;
  rig.device.Gam_Set_Level();
  EXPECT_EQ(rig.device.max_items, c.itemsBefore);
  EXPECT_EQ(rig.device.timer(TimerId::Game).interval(), c.intervalBefore);

  catchOne(rig);
  EXPECT_EQ(rig.device.score, c.scoreBefore + 1);
  EXPECT_EQ(rig.device.max_items, c.itemsAfter);
  EXPECT_EQ(rig.device.timer(TimerId::Game).interval(), c.intervalAfter);
}

INSTANTIATE_TEST_SUITE_P(
    GameA, LevelTest,
    ::testing::Values(LevelCase{8, 3, 1, 250, 3, 250}, LevelCase{8, 49, 3, 250, 4, 250},
                      LevelCase{8, 99, 4, 250, 5, 215}, LevelCase{8, 199, 5, 215, 1, 250},
                      LevelCase{8, 399, 5, 215, 1, 250}, LevelCase{8, 203, 1, 250, 3, 250}));
INSTANTIATE_TEST_SUITE_P(GameB, LevelTest,
                         ::testing::Values(LevelCase{9, 3, 1, 215, 4, 215},
                                           LevelCase{9, 49, 4, 215, 5, 215},
                                           LevelCase{9, 99, 5, 215, 6, 185},
                                           LevelCase{9, 199, 6, 185, 1, 215}));

TEST(LevelTiming, AnIntervalChangeRestartsTheTickPeriod) {
  DeviceRig rig;
  const int64_t start = rig.startGame(8);
  rig.device.score = 99;
  rig.device.Gam_Set_Level();
  rig.device.item_grid[2][5] = 1;  // beside the hero in column 2
  rig.clock.advanceTo(start + 250);
  ASSERT_EQ(rig.device.score, 100);
  const int32_t phase = rig.device.phase_column;
  rig.clock.advanceTo(start + 250 + 214);
  EXPECT_EQ(rig.device.phase_column, phase) << "no tick before a full new period";
  rig.clock.advanceTo(start + 250 + 215);
  EXPECT_NE(rig.device.phase_column, phase) << "tick one new interval after the catch";
}

TEST(LevelTiming, ACatchWithinALevelKeepsThePeriod) {
  DeviceRig rig;
  const int64_t start = rig.startGame(8);
  rig.device.score = 10;
  rig.device.Gam_Set_Level();
  rig.device.item_grid[2][5] = 1;
  rig.clock.advanceTo(start + 250);
  ASSERT_EQ(rig.device.score, 11);
  const int32_t phase = rig.device.phase_column;
  rig.clock.advanceTo(start + 499);
  EXPECT_EQ(rig.device.phase_column, phase);
  rig.clock.advanceTo(start + 500);
  EXPECT_NE(rig.device.phase_column, phase);
}

TEST(LevelTiming, SetLevelOutsideAGameChangesNothing) {
  DeviceRig rig;
  rig.setMode(1);
  rig.device.score = 150;
  rig.device.max_items = 2;
  rig.device.Gam_Set_Level();
  EXPECT_EQ(rig.device.max_items, 2);
  EXPECT_EQ(rig.device.timer(TimerId::Game).interval(), 1);
}

}  // namespace
}  // namespace tavro::testing
