// The context menu: its entries, the shortcut keys, the commands and the
// fullscreen switch, on a program started on the skip path.

#include <gtest/gtest.h>

#include <QAction>
#include <QContextMenuEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include "ProgramFixture.h"
#include "input/keys.h"
#include "shell/DeviceMenu.h"
#include "shell/GameMenu.h"
#include "shell/about.h"
#include "shell/manual.h"

namespace tavro::testing {
namespace {

class Menu : public ProgramFixture {
 protected:
  void key(int qtKey, QEvent::Type type = QEvent::KeyPress) {
    QKeyEvent event(type, qtKey, Qt::NoModifier);
    QCoreApplication::sendEvent(&form(), &event);
  }
  DeviceMenu& menu() { return program->menu(); }
  GameMenu& gameMenu() { return program->gameMenu(); }
  void deleteLater() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
  int rowsLeft() { return static_cast<int>(form().findChildren<GameMenuRow*>().size()); }
};

TEST_F(Menu, HoldsTheThirteenEntriesWithShortcutsAndCheckMarks) {
  startSkipping();
  const QList<QAction*> actions = menu().pm_0_menu().actions();
  ASSERT_EQ(actions.size(), 13);
  const QStringList texts = {"About...\tF1",
                             "View 'Readme.txt'\tF2",
                             "View 'Whatsnew.txt'\tF3",
                             "View manual\tF4",
                             "",
                             "Edit configuration file",
                             "Key settings",
                             "Reset Hiscores",
                             "",
                             "Display in fullscreen mode\tF12",
                             "Display splash screen at startup",
                             "",
                             "Exit\tEsc"};
  for (int i = 0; i < 13; ++i) {
    EXPECT_EQ(actions[i]->text(), texts[i]) << i;
    EXPECT_EQ(actions[i]->isSeparator(), texts[i].isEmpty()) << i;
  }
  EXPECT_EQ(menu().pm_0_menu().defaultAction(), actions[0]);
  EXPECT_TRUE(actions[9]->isChecked());  // fullscreen
  EXPECT_FALSE(actions[10]->isChecked());
  EXPECT_EQ(menu().entries()[9].caption, "Display in fullscreen mode");
}

TEST_F(Menu, ShortcutKeysOpenTheSideWindowsAndDocuments) {
  startSkipping();
  key(Qt::Key_F1);
  EXPECT_TRUE(program->about()->isVisible());
  key(Qt::Key_F4);
  EXPECT_TRUE(program->manual()->isVisible());
  key(Qt::Key_F2);
  key(Qt::Key_F3);
  menu().action(6)->trigger();
  ASSERT_EQ(opened.size(), 3u);
  EXPECT_TRUE(opened[0].toLocalFile().endsWith("/Readme.txt"));
  EXPECT_TRUE(opened[1].toLocalFile().endsWith("/Whatsnew.txt"));
  EXPECT_TRUE(opened[2].toLocalFile().endsWith("/Config.ini"));
  // A held key acts once; with Control it is no shortcut.
  QKeyEvent repeat(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier, QString(), true);
  QCoreApplication::sendEvent(&form(), &repeat);
  QKeyEvent control(QEvent::KeyPress, Qt::Key_F2, Qt::ControlModifier);
  QCoreApplication::sendEvent(&form(), &control);
  EXPECT_EQ(opened.size(), 3u);
}

TEST_F(Menu, ShortcutsRunTheOpeningHandlerFirst) {
  startSkipping();
  store("SplashScreen", "1");
  gameMenu().btn_game_menu_topClick();
  ASSERT_TRUE(gameMenu().game_menu_open);
  key(Qt::Key_F1);  // folds the game menu, then shows the about window
  EXPECT_FALSE(gameMenu().game_menu_open);
  EXPECT_FALSE(gameMenu().hasRows());
  EXPECT_TRUE(program->about()->isVisible());
  EXPECT_TRUE(menu().action(11)->isChecked());  // taken from SplashScreen
}

TEST_F(Menu, F12SwitchesBothWaysAndLeavesTheWindowCentred) {
  startSkipping();
  key(Qt::Key_F12);
  EXPECT_FALSE(form().fullscreen_mode);
  EXPECT_FALSE(menu().action(10)->isChecked());
  EXPECT_EQ(stored("FullscreenMode"), "0");
  EXPECT_EQ(form().pos(), centred());
  EXPECT_TRUE(form().transparencyKeyEnabled());
  EXPECT_FALSE(form().gameMenuBackgroundControl().isVisible());

  key(Qt::Key_F12);
  EXPECT_TRUE(form().fullscreen_mode);
  EXPECT_TRUE(menu().action(10)->isChecked());
  EXPECT_EQ(stored("FullscreenMode"), "1");
  EXPECT_EQ(form().pos(), QPoint(0, 0));  // the screen's size
  EXPECT_EQ(form().pos(), centred());
  EXPECT_TRUE(form().gameMenuBackgroundControl().isVisible());
}

TEST_F(Menu, SkinErrorDuringTheSwitchLeavesTheWindowOffTheScreenUntilTheNextSwitch) {
  useChangedConfig("TranspColor=$00ff00ff", "TranspColor=pink");  // read in windowed mode only
  startSkipping();
  key(Qt::Key_F12);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "Tavro50|'pink' is not a valid integer value.");
  EXPECT_FALSE(form().fullscreen_mode);
  EXPECT_EQ(stored("FullscreenMode"), "0");
  EXPECT_EQ(form().pos(), offScreen());
  key(Qt::Key_F12);
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(form().fullscreen_mode);
  EXPECT_EQ(stored("FullscreenMode"), "1");
  EXPECT_EQ(form().pos(), centred());
}

TEST_F(Menu, F12WithTheGameMenuUnfoldedLeavesNoRowBehind) {
  startSkipping();
  gameMenu().btn_game_menu_topClick();
  ASSERT_EQ(rowsLeft(), 13);
  key(Qt::Key_F12);
  deleteLater();
  EXPECT_FALSE(form().fullscreen_mode);
  EXPECT_FALSE(gameMenu().game_menu_open);
  EXPECT_EQ(rowsLeft(), 0);
  EXPECT_EQ(form().gameMenuBackgroundControl().rect(), QRect(0, 0, 36, 32));
}

TEST_F(Menu, RightClickFoldsTheGameMenuAndOpensTheMenu) {
  startSkipping();
  gameMenu().btn_game_menu_topClick();
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(300, 300), QPoint(300, 300));
  QCoreApplication::sendEvent(&form(), &event);
  EXPECT_TRUE(menu().pm_0_menu().isVisible());
  EXPECT_FALSE(gameMenu().game_menu_open);
  EXPECT_FALSE(gameMenu().hasRows());
  menu().pm_0_menu().hide();
}

TEST_F(Menu, SplashEntryFlipsAndStoresTheOption) {
  startSkipping();
  menu().pm_0_menuPopup();
  EXPECT_FALSE(menu().action(11)->isChecked());
  menu().action(11)->trigger();
  EXPECT_TRUE(menu().action(11)->isChecked());
  EXPECT_EQ(stored("SplashScreen"), "1");
  menu().action(11)->trigger();
  EXPECT_FALSE(menu().action(11)->isChecked());
  EXPECT_EQ(stored("SplashScreen"), "0");
}

TEST_F(Menu, ResetHiscoresWritesZeroes) {
  store("HiScore1", "120");
  store("HiScore2", "45");
  startSkipping();
  ASSERT_EQ(form().device().hi_score_a, 120);
  menu().action(8)->trigger();
  EXPECT_EQ(form().device().hi_score_a, 0);
  EXPECT_EQ(form().device().hi_score_b, 0);
  EXPECT_EQ(stored("HiScore1"), "0");
  EXPECT_EQ(stored("HiScore2"), "0");
}

TEST_F(Menu, EscapeEndsTheProgramAtOnce) {
  startSkipping();
  key(Qt::Key_Escape);
  EXPECT_EQ(ends, 1);
  EXPECT_TRUE(form().isVisible());  // no confirmation, no close handler
}

TEST_F(Menu, KeySettingsDisableTheDeviceWhileItsTimersRun) {
  store("FullscreenMode", "0");
  startSkipping(false);
  form().device().device_mode = 8;  // game A
  form().device().Gam_Set_Mode();
  const bool hero = form().skinControl(im_hero(2, 1)).isVisible();
  menu().action(7)->trigger();
  ASSERT_TRUE(program->keys()->isVisible());
  EXPECT_FALSE(form().isEnabled());

  key(Qt::Key_Right);
  key(Qt::Key_F1);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), QPointF(10, 10), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&form(), &press);
  QContextMenuEvent context(QContextMenuEvent::Mouse, QPoint(10, 10), QPoint(10, 10));
  QCoreApplication::sendEvent(&form(), &context);
  EXPECT_FALSE(form().device().latch_shared);
  EXPECT_EQ(form().skinControl(im_hero(2, 1)).isVisible(), hero);
  EXPECT_FALSE(program->about()->isVisible());
  EXPECT_FALSE(menu().pm_0_menu().isVisible());
  bool running = false;
  for (int id = 0; id < kTimerCount; ++id) {
    running = running || form().timers().isActive(static_cast<TimerId>(id));
  }
  EXPECT_TRUE(running);

  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(program->keys(), &escape);
  EXPECT_FALSE(program->keys()->isVisible());
  EXPECT_TRUE(form().isEnabled());
}

}  // namespace
}  // namespace tavro::testing
