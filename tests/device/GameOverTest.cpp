// The fifth miss, the game-over sequence, the high-score rule and the score wrap.
#include <gtest/gtest.h>

#include <climits>

#include "DeviceFakes.h"

namespace tavro::testing {
namespace {

class GameOverTest : public ::testing::Test {
 protected:
  // Starts game A with four misses behind it and lets the next tick miss.
  void missFifth(int32_t score, int32_t storedHigh) {
    rig.device.setHighScores(storedHigh, 0);
    rig.startGame(8);
    rig.device.score = score;
    rig.device.lcd().Vid_Show_Panel_Score(score, true);
    rig.device.misses = 4;
    rig.device.item_grid[1][5] = 1;  // hero in column 2
    rig.sound.take();
    rig.clock.advanceToNext();
    missAt = rig.clock.now();
  }

  DeviceRig rig;
  int64_t missAt = 0;
};

TEST_F(GameOverTest, SequenceOfCuesModesAndStoredHighScore) {
  missFifth(37, 20);
  EXPECT_EQ(rig.sound.take(), std::vector<Cue>{Cue::Miss});
  EXPECT_EQ(rig.device.misses, 5);
  EXPECT_TRUE(rig.device.lcd().visible(im_panel_miss(5)));
  EXPECT_FALSE(rig.device.playing);
  EXPECT_FALSE(rig.device.timer(TimerId::Reprise).enabled());

  rig.clock.advanceTo(missAt + 199);
  EXPECT_TRUE(rig.sound.take().empty());
  rig.clock.advanceTo(missAt + 200);
  EXPECT_EQ(rig.sound.take(), std::vector<Cue>{Cue::Gameover});

  rig.clock.advanceTo(missAt + 3599);
  EXPECT_EQ(rig.device.device_mode, 8);
  EXPECT_TRUE(rig.scores.writes.empty());
  rig.clock.advanceTo(missAt + 3600);
  EXPECT_EQ(rig.device.device_mode, 10);
  const std::vector<std::pair<std::string, int32_t>> written = {{"HiScore1", 37}};
  EXPECT_EQ(rig.scores.writes, written);
  EXPECT_EQ(rig.device.hi_score_a, 37);
  EXPECT_EQ(rig.device.lcd().panelText(), "  37") << "the final picture stays";
  EXPECT_TRUE(rig.device.lcd().visible(im_item_1_miss));

  rig.clock.advanceTo(missAt + 33599);
  EXPECT_EQ(rig.device.device_mode, 10);
  rig.clock.advanceTo(missAt + 33600);
  EXPECT_EQ(rig.device.device_mode, 1);
  EXPECT_TRUE(rig.device.lcd().visible(im_panel_time_1));
  EXPECT_FALSE(rig.device.timer(TimerId::GameOver).enabled());
  EXPECT_TRUE(rig.device.timer(TimerId::Clock).enabled());
  EXPECT_EQ(rig.scores.writes.size(), 1u);
}

TEST_F(GameOverTest, EqualOrLowerScoreLeavesTheStoredValue) {
  missFifth(20, 20);
  rig.clock.advanceTo(missAt + 3600);
  EXPECT_EQ(rig.device.device_mode, 10);
  EXPECT_TRUE(rig.scores.writes.empty());
  EXPECT_EQ(rig.device.hi_score_a, 20);
}

TEST_F(GameOverTest, GameBWritesItsOwnValue) {
  rig.device.setHighScores(500, 3);
  rig.startGame(9);
  rig.device.score = 4;
  rig.device.misses = 4;
  rig.device.item_grid[3][5] = 1;
  rig.clock.advanceToNext();
  rig.clock.advance(3600);
  const std::vector<std::pair<std::string, int32_t>> written = {{"HiScore2", 4}};
  EXPECT_EQ(rig.scores.writes, written);
  EXPECT_EQ(rig.device.hi_score_a, 500);
  EXPECT_EQ(rig.device.hi_score_b, 4);
}

TEST_F(GameOverTest, ButtonsDuringTheEndingAreIgnoredAndInModeTenTheyWin) {
  missFifth(5, 0);
  rig.pressTime();
  rig.pressGameA();
  rig.pressGameB();
  rig.clock.advanceTo(missAt + 3600);
  EXPECT_EQ(rig.device.device_mode, 10);

  rig.pressGameA();  // mode 10 to mode 6: the pending return to the clock is cancelled
  EXPECT_EQ(rig.device.device_mode, 6);
  EXPECT_EQ(rig.device.lcd().panelText(), "   5") << "the new high score shows";
  EXPECT_FALSE(rig.device.timer(TimerId::GameOver).enabled());
  rig.clock.advanceTo(missAt + 33600);
  EXPECT_EQ(rig.device.device_mode, 8) << "the new game runs";
}

TEST_F(GameOverTest, TimePressedInModeTenGoesToTheClockAtOnce) {
  missFifth(5, 0);
  rig.clock.advanceTo(missAt + 3600);
  rig.pressTime();
  EXPECT_EQ(rig.device.device_mode, 1);
  EXPECT_FALSE(rig.device.timer(TimerId::GameOver).enabled());
}

TEST(ScoreWrap, CatchAt9999ShowsZero) {
  DeviceRig rig;
  rig.startGame(8);
  rig.device.score = 9999;
  rig.device.item_grid[2][5] = 1;
  rig.clock.advanceToNext();
  EXPECT_EQ(rig.device.score, 0);
  EXPECT_EQ(rig.device.lcd().panelText(), "   0");
  EXPECT_EQ(rig.device.max_items, 1);
}

TEST(HighScores, ResetWritesZeroForBothWithoutRedrawing) {
  DeviceRig rig;
  rig.device.setHighScores(120, 80);
  rig.setMode(1);
  rig.pressGameA();
  EXPECT_EQ(rig.device.lcd().panelText(), " 120");
  rig.device.resetHighScores();
  const std::vector<std::pair<std::string, int32_t>> written = {{"HiScore1", 0}, {"HiScore2", 0}};
  EXPECT_EQ(rig.scores.writes, written);
  EXPECT_EQ(rig.device.hi_score_a, 0);
  EXPECT_EQ(rig.device.hi_score_b, 0);
  EXPECT_EQ(rig.device.lcd().panelText(), " 120");
}

TEST(HighScores, NegativeStoredHighScoreShowsSafelyAndIsBeaten) {
  DeviceRig rig;
  rig.device.setHighScores(-42, INT32_MIN);
  rig.setMode(1);
  rig.pressGameB();
  EXPECT_EQ(rig.device.lcd().panelText(), "3648");
  rig.setMode(1);
  rig.pressGameA();
  EXPECT_EQ(rig.device.lcd().panelText(), "  42");
  rig.clock.advance(1800);
  rig.device.misses = 4;
  rig.device.item_grid[1][5] = 1;
  rig.clock.advanceToNext();
  rig.clock.advance(3600);
  const std::vector<std::pair<std::string, int32_t>> written = {{"HiScore1", 0}};
  EXPECT_EQ(rig.scores.writes, written);
}

}  // namespace
}  // namespace tavro::testing
