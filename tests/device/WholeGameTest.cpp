// Whole games played by the scripted player to game over in virtual time.
#include <gtest/gtest.h>

#include "DeviceFakes.h"
#include "device/ScriptedPlayer.h"

namespace tavro::testing {
namespace {

class WholeGame : public ::testing::TestWithParam<uint32_t> {};

TEST_P(WholeGame, GameAToGameOverStoresTheScore) {
  DeviceRig rig(GetParam());
  Device& device = rig.device;
  device.setHighScores(100, 7);
  ScriptedPlayer player(device, rig.clock, ScriptedPlayer::missEvery(25));
  const ScriptedPlayer::Result result = player.playGame(8);
  ASSERT_TRUE(result.finished) << device.lcd().render();
  EXPECT_EQ(result.score, 120);  // items 25, 50, 75, 100 and 125 let through
  EXPECT_EQ(result.misses, 5);
  EXPECT_EQ(device.device_mode, 10);
  const std::vector<std::pair<std::string, int32_t>> written = {{"HiScore1", 120}};
  EXPECT_EQ(rig.scores.writes, written);
  EXPECT_EQ(device.lcd().panelText(), " 120");
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(device.lcd().visible(im_panel_miss(i)), i <= 5);

  // A worse second game leaves the stored value alone.
  ScriptedPlayer worse(device, rig.clock, ScriptedPlayer::missEvery(4));
  const ScriptedPlayer::Result second = worse.playGame(8);
  ASSERT_TRUE(second.finished);
  EXPECT_EQ(second.score, 15);
  EXPECT_EQ(rig.scores.writes, written);
  EXPECT_EQ(device.hi_score_a, 120);
}

TEST_P(WholeGame, GameBToGameOverStoresTheScore) {
  DeviceRig rig(GetParam());
  Device& device = rig.device;
  device.setHighScores(500, 7);
  ScriptedPlayer player(device, rig.clock, ScriptedPlayer::missEvery(50));
  const ScriptedPlayer::Result result = player.playGame(9);
  ASSERT_TRUE(result.finished) << device.lcd().render();
  EXPECT_EQ(result.score, 245);  // past the fall back to one item at 200
  EXPECT_EQ(result.misses, 5);
  const std::vector<std::pair<std::string, int32_t>> written = {{"HiScore2", 245}};
  EXPECT_EQ(rig.scores.writes, written);
  EXPECT_EQ(device.hi_score_a, 500);
  // Thirty seconds later the clock returns.
  rig.clock.advance(30000);
  EXPECT_EQ(device.device_mode, 1);
}

INSTANTIATE_TEST_SUITE_P(Seeds, WholeGame, ::testing::Values(1u, 2024u, 77777u));

TEST(WholeGameRules, CatchesAndMissesAddUpAndCuesAreOnePerTick) {
  DeviceRig rig;
  rig.random.fallback = 0;  // as many entries as the rules allow
  ScriptedPlayer player(rig.device, rig.clock, ScriptedPlayer::missEvery(9));
  int gameTicks = 0;
  size_t cuesBefore = 0;
  player.onStep = [&] {
    ++gameTicks;
    EXPECT_LE(rig.sound.cues.size() - cuesBefore, 1u);
    cuesBefore = rig.sound.cues.size();
  };
  rig.setMode(1);
  const ScriptedPlayer::Result result = player.playGame(8);
  ASSERT_TRUE(result.finished);
  EXPECT_EQ(result.score, 40);
  int got = 0;
  int miss = 0;
  for (Cue c : rig.sound.cues) {
    got += c == Cue::Got ? 1 : 0;
    miss += c == Cue::Miss ? 1 : 0;
  }
  EXPECT_EQ(got, 40);
  EXPECT_EQ(miss, 5);
  EXPECT_GT(gameTicks, 40);
}

}  // namespace
}  // namespace tavro::testing
