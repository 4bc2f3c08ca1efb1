// Auto-repeat pairs that X11 delivers without their flag: a release followed
// at once by a press of the same key is a held key, not a second press.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTest>
#include <vector>

#include "WindowSkin.h"
#include "device/window/unit1.h"

namespace tavro::testing {
namespace {

class KeyRepeatPair : public ::testing::Test {
 protected:
  void SetUp() override {
    writeWindowSkin(skin);
    form.fullscreen_mode = false;
    Gfx_Load_Skin(form);
    form.key_bindings[kLeft] = KeyBinding{37, 37};   // left arrow
    form.key_bindings[kRight] = KeyBinding{38, 39};  // right arrow
  }
  void key(QEvent::Type type, int qtKey, bool autoRepeat = false, quint64 timestamp = 0) {
    QKeyEvent event(type, qtKey, Qt::NoModifier, QString(), autoRepeat);
    event.setTimestamp(timestamp);
    QCoreApplication::sendEvent(&form, &event);
  }
  // A held key as X11 may deliver it: plain release and press pairs.
  void hold(int qtKey, int pairs) {
    key(QEvent::KeyPress, qtKey);
    for (int i = 0; i < pairs; ++i) {
      key(QEvent::KeyRelease, qtKey);
      key(QEvent::KeyPress, qtKey);
    }
    key(QEvent::KeyRelease, qtKey);
  }
  void startGame() {
    form.device().device_mode = 8;
    form.device().Gam_Set_Mode();
    form.device().playing = true;
  }

  TestSkin skin;
  TForm1 form;
};

TEST_F(KeyRepeatPair, UnflaggedPairsKeepTheButtonHeld) {
  key(QEvent::KeyPress, Qt::Key_Left);
  key(QEvent::KeyRelease, Qt::Key_Left);
  EXPECT_TRUE(form.keyReleasePending());
  EXPECT_TRUE(form.device().latch_shared);  // the release waits
  key(QEvent::KeyPress, Qt::Key_Left);
  EXPECT_FALSE(form.keyReleasePending());
  EXPECT_TRUE(form.device().latch_shared);
  key(QEvent::KeyRelease, Qt::Key_Left);
  form.flushKeyRelease();
  EXPECT_FALSE(form.device().latch_shared);
}

TEST_F(KeyRepeatPair, HeldArrowMovesTheHeroOneColumn) {
  startGame();
  ASSERT_EQ(form.device().hero_column, 2);
  hold(Qt::Key_Right, 10);
  form.flushKeyRelease();
  EXPECT_EQ(form.device().hero_column, 3);
  hold(Qt::Key_Left, 10);
  form.flushKeyRelease();
  EXPECT_EQ(form.device().hero_column, 2);
  // Two separate presses are two moves.
  hold(Qt::Key_Left, 0);
  form.flushKeyRelease();
  EXPECT_EQ(form.device().hero_column, 1);
}

TEST_F(KeyRepeatPair, QuickTapsAfterTheReleaseAreNewPresses) {
  startGame();
  key(QEvent::KeyPress, Qt::Key_Left, false, 1000);
  key(QEvent::KeyRelease, Qt::Key_Left, false, 1050);
  key(QEvent::KeyPress, Qt::Key_Left, false, 1051);  // same moment: a repeat
  EXPECT_EQ(form.device().hero_column, 1);
  key(QEvent::KeyRelease, Qt::Key_Left, false, 1100);
  key(QEvent::KeyPress, Qt::Key_Right, false, 1112);
  key(QEvent::KeyRelease, Qt::Key_Right, false, 1124);
  key(QEvent::KeyPress, Qt::Key_Right, false, 1136);  // 12 ms later: a second tap
  key(QEvent::KeyRelease, Qt::Key_Right, false, 1148);
  form.flushKeyRelease();
  EXPECT_EQ(form.device().hero_column, 3);
}

TEST_F(KeyRepeatPair, AnotherKeyRunsTheWaitingReleaseFirst) {
  startGame();
  key(QEvent::KeyPress, Qt::Key_Left);
  key(QEvent::KeyRelease, Qt::Key_Left);
  key(QEvent::KeyPress, Qt::Key_Right);  // left released before right is pressed
  EXPECT_FALSE(form.keyReleasePending());
  EXPECT_EQ(form.device().hero_column, 2);
  key(QEvent::KeyRelease, Qt::Key_Right);
  form.flushKeyRelease();
  EXPECT_FALSE(form.device().latch_shared);
}

TEST_F(KeyRepeatPair, WaitingReleaseRunsByItself) {
  key(QEvent::KeyPress, Qt::Key_Left);
  key(QEvent::KeyRelease, Qt::Key_Left);
  EXPECT_TRUE(QTest::qWaitFor([this] { return !form.keyReleasePending(); }, 5000));
  EXPECT_FALSE(form.device().latch_shared);
}

TEST_F(KeyRepeatPair, ShortcutKeysSeeUnflaggedPairsAsRepeats) {
  std::vector<bool> seen;
  form.shortcutKey = [&seen](QKeyEvent* event, bool autoRepeat) {
    if (event->key() != Qt::Key_F12) {
      return false;
    }
    seen.push_back(autoRepeat);
    return true;
  };
  hold(Qt::Key_F12, 2);
  form.flushKeyRelease();
  EXPECT_EQ(seen, (std::vector<bool>{false, true, true}));
  key(QEvent::KeyPress, Qt::Key_Left);  // not a shortcut: reaches the bindings
  EXPECT_TRUE(form.device().latch_shared);
}

}  // namespace
}  // namespace tavro::testing
