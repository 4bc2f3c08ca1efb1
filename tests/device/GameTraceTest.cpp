// The start of game A tick by tick: entry, advance, catch, got segment, miss.
#include <gtest/gtest.h>

#include "DeviceFakes.h"

namespace tavro::testing {
namespace {

class GameTraceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    start = rig.startGame(8);
    ASSERT_EQ(rig.device.device_mode, 8);
    rig.sound.take();  // the Start cue of mode 6
  }
  // Runs the game up to and including tick k (250 ms apart in game A's first level).
  std::vector<Cue> tick(int k) {
    rig.clock.advanceTo(start + 250 * k);
    return rig.sound.take();
  }
  bool itemShown(int c, int r) const { return rig.device.lcd().visible(im_item(c, r)); }
  int itemCount() const {
    int n = 0;
    for (int c = 1; c <= 3; ++c) {
      for (int r = 1; r <= 5; ++r) n += itemShown(c, r) ? 1 : 0;
    }
    return n;
  }

  DeviceRig rig;
  int64_t start = 0;
  const std::vector<Cue> none{};
  const std::vector<Cue> move{Cue::Move};
};

TEST_F(GameTraceTest, ItemEntersAdvancesEveryThirdTickAndIsCaught) {
  EXPECT_EQ(tick(1), move);
  EXPECT_TRUE(itemShown(1, 1)) << rig.lcd();
  EXPECT_EQ(itemCount(), 1);
  EXPECT_EQ(tick(2), none);
  EXPECT_EQ(tick(3), none);
  EXPECT_EQ(itemCount(), 1) << rig.lcd();
  for (int row = 2; row <= 5; ++row) {
    EXPECT_EQ(tick(1 + 3 * (row - 1)), move) << "row " << row;
    EXPECT_TRUE(itemShown(1, row)) << rig.lcd();
    EXPECT_EQ(itemCount(), 1) << rig.lcd();
    if (row < 5) {
      EXPECT_EQ(tick(3 * row - 1), none);
      EXPECT_EQ(tick(3 * row), none);
    }
  }

  rig.pressLeft();
  EXPECT_EQ(rig.device.hero_column, 1);
  EXPECT_EQ(tick(14), std::vector<Cue>{Cue::Got});
  EXPECT_EQ(rig.device.score, 1);
  EXPECT_EQ(rig.device.lcd().panelText(), "   1");
  EXPECT_EQ(rig.device.item_grid[1][5], 2);
  EXPECT_TRUE(itemShown(1, 5)) << "the caught item stays drawn";
  EXPECT_TRUE(itemShown(2, 1)) << "the empty playfield gets a new item\n" << rig.lcd();
  EXPECT_TRUE(rig.device.lcd().visible(im_hero(1, 3))) << "catching pose";
  EXPECT_FALSE(rig.device.lcd().visible(im_hero(1, 2)));

  rig.clock.advanceTo(start + 250 * 14 + 99);
  EXPECT_TRUE(rig.device.lcd().visible(im_hero(1, 3)));
  rig.clock.advanceTo(start + 250 * 14 + 100);
  EXPECT_FALSE(rig.device.lcd().visible(im_hero(1, 3))) << "catching pose lasts 100 ms";
  EXPECT_TRUE(rig.device.lcd().visible(im_hero(1, 2)));

  EXPECT_EQ(tick(15), none);
  EXPECT_FALSE(itemShown(1, 5));
  EXPECT_TRUE(rig.device.lcd().visible(im_item_1_got)) << rig.lcd();
  EXPECT_EQ(tick(16), none);
  EXPECT_FALSE(rig.device.lcd().visible(im_item_1_got));
  EXPECT_EQ(tick(17), move);
  EXPECT_TRUE(itemShown(2, 2)) << rig.lcd();
  EXPECT_EQ(itemCount(), 1);
  EXPECT_EQ(rig.device.misses, 0);
}

TEST_F(GameTraceTest, HeroStayingInColumnTwoMissesAndThePauseLasts1100Ms) {
  tick(13);
  ASSERT_TRUE(itemShown(1, 5));
  EXPECT_EQ(tick(14), std::vector<Cue>{Cue::Miss});
  EXPECT_FALSE(itemShown(1, 5));
  EXPECT_EQ(itemCount(), 0) << "nothing enters on a miss tick";
  EXPECT_TRUE(rig.device.lcd().visible(im_item_1_miss));
  EXPECT_FALSE(rig.device.lcd().visible(im_item_1_target));
  EXPECT_TRUE(rig.device.lcd().visible(im_item_2_target));
  EXPECT_TRUE(rig.device.lcd().visible(im_panel_miss_01));
  EXPECT_FALSE(rig.device.lcd().visible(im_panel_miss(2)));
  EXPECT_EQ(rig.device.misses, 1);
  EXPECT_FALSE(rig.device.playing);
  EXPECT_FALSE(rig.device.timer(TimerId::Game).enabled());
  EXPECT_EQ(rig.device.phase_column, 2);

  // Neither left nor right moves the hero during the pause.
  rig.pressLeft();
  rig.pressRight();
  EXPECT_EQ(rig.device.hero_column, 2);

  const int64_t missAt = start + 250 * 14;
  rig.clock.advanceTo(missAt + 1099);
  EXPECT_TRUE(rig.device.lcd().visible(im_item_1_miss));
  rig.clock.advanceTo(missAt + 1100);
  EXPECT_FALSE(rig.device.lcd().visible(im_item_1_miss));
  EXPECT_TRUE(rig.device.lcd().visible(im_item_1_target));
  EXPECT_TRUE(rig.device.playing);
  EXPECT_TRUE(rig.sound.take().empty());

  // The first tick after the pause handles column 2: a new item enters there.
  rig.clock.advanceTo(missAt + 1100 + 250);
  EXPECT_EQ(rig.sound.take(), move);
  EXPECT_TRUE(itemShown(2, 1)) << rig.lcd();
  EXPECT_EQ(itemCount(), 1);
}

TEST_F(GameTraceTest, ItemIsCaughtWhenTheHeroArrivesJustBeforeTheDecidingTick) {
  tick(13);
  rig.pressRight();  // column 3: away
  rig.pressLeft();
  rig.pressLeft();  // column 1, just in time
  EXPECT_EQ(tick(14), std::vector<Cue>{Cue::Got});
}

TEST_F(GameTraceTest, ExactlyOneRandomDrawPerTickThatAdvances) {
  tick(13);
  EXPECT_EQ(rig.random.draws, 13);
  tick(14);  // a miss: no advance, no draw
  EXPECT_EQ(rig.random.draws, 13);
  rig.clock.advance(1100 + 250 * 3);
  EXPECT_EQ(rig.random.draws, 16);
}

TEST(GameEntry, RandomEntryRespectsSpacingBlockingAndTheLimit) {
  DeviceRig rig;
  rig.random.fallback = 0;  // every draw asks for an entry
  rig.device.score = 0;
  rig.startGame(8);
  rig.device.max_items = 5;  // as in a high level
  const int64_t start = rig.clock.now();
  rig.clock.advanceTo(start + 250);  // tick 1, column 1: empty field, entry
  EXPECT_EQ(rig.device.item_grid[1][1], 1);
  rig.clock.advanceTo(start + 500);  // column 2: blocked by row 1 of column 1
  EXPECT_EQ(rig.device.item_grid[2][1], 0);
  rig.clock.advanceTo(start + 750);  // column 3: row 1 of column 2 is empty: entry
  EXPECT_EQ(rig.device.item_grid[3][1], 1);
  rig.clock.advanceTo(start + 1000);  // column 1 advances; its row 2 is taken
  EXPECT_EQ(rig.device.item_grid[1][2], 1);
  EXPECT_EQ(rig.device.item_grid[1][1], 0);
  rig.clock.advanceTo(start + 1250);  // column 2: entry (column 1's row 1 is empty)
  EXPECT_EQ(rig.device.item_grid[2][1], 1);
  rig.clock.advanceTo(start + 1500);  // column 3 advances to row 2: no entry
  EXPECT_EQ(rig.device.item_grid[3][1], 0);
  rig.clock.advanceTo(start + 1750);  // column 1: row 2 empty after the move to row 3, entry
  EXPECT_EQ(rig.device.item_grid[1][3], 1);
  EXPECT_EQ(rig.device.item_grid[1][1], 1);
}

TEST(GameEntry, NoEntryWhileMaxItemsAreAdvancing) {
  DeviceRig rig;
  rig.random.fallback = 0;
  rig.startGame(8);  // score 0: max_items 1
  rig.clock.advance(250 * 12);
  int items = 0;
  for (int c = 1; c <= 3; ++c) {
    for (int r = 1; r <= 5; ++r) items += rig.device.item_grid[c][r] == 1 ? 1 : 0;
  }
  EXPECT_EQ(items, 1) << rig.lcd();
}

}  // namespace
}  // namespace tavro::testing
