// The in-window game menu: unfolding into rows that mirror the context menu,
// highlights, clicks and the folding after every release.

#include <QFontMetrics>
#include <gtest/gtest.h>

#include <QAction>
#include <QEnterEvent>
#include <QMouseEvent>

#include "ProgramFixture.h"
#include "shell/DeviceMenu.h"
#include "shell/GameMenu.h"
#include "shell/about.h"

namespace tavro::testing {
namespace {

class GameMenuRows : public ProgramFixture {
 protected:
  void SetUp() override {
    ProgramFixture::SetUp();
    startSkipping();
    menu().btn_game_menu_topClick();
  }
  GameMenu& menu() { return program->gameMenu(); }
  static void mouse(QWidget* w, QEvent::Type type, QPoint pos) {
    QMouseEvent event(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
  }
  static void enter(QWidget* w) {
    QEnterEvent event(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(w, &event);
  }
  static void leave(QWidget* w) {
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(w, &event);
  }
};

TEST_F(GameMenuRows, UnfoldingLaysOutThirteenRowsUnderTheTitle) {
  ASSERT_TRUE(menu().game_menu_open);
  EXPECT_EQ(form().gameMenuBackgroundControl().rect(), QRect(0, 0, 256, 448));
  for (int i = 1; i <= GameMenu::kRowCount; ++i) {
    GameMenuRow* row = menu().row(i);
    ASSERT_NE(row, nullptr) << i;
    EXPECT_EQ(row->geometry(), QRect(0, 32 * i, 256, 32)) << i;
    EXPECT_TRUE(row->isVisible()) << i;
  }
  EXPECT_EQ(menu().row(1)->text(), "   About...");
  EXPECT_EQ(menu().row(8)->text(), "   Reset Hiscores");
  EXPECT_EQ(menu().row(10)->text(), "   Display in fullscreen mode [V]");
  EXPECT_EQ(menu().row(11)->text(), "   Display splash screen at startup");
  EXPECT_EQ(menu().row(13)->text(), "   Exit");
  EXPECT_EQ(menu().row(1)->font().family(), "Arial");
  // The character cell is 16 pixels high, and the longest caption fits the row.
  EXPECT_LE(QFontMetrics(menu().row(1)->font()).height(), 16);
  EXPECT_GE(QFontMetrics(menu().row(1)->font()).height(), 14);
  EXPECT_LE(QFontMetrics(menu().row(11)->font()).horizontalAdvance(menu().row(11)->text() + " [V]"),
            256);
  EXPECT_EQ(menu().row(1)->palette().color(QPalette::WindowText), QColor(Qt::white));
  EXPECT_EQ(menu().row(1)->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(GameMenuRows, RowsHighlightUnderThePointerButSeparatorsStayEmpty) {
  GameMenuRow* about = menu().row(1);
  EXPECT_FALSE(about->isHighlighted());
  enter(about);
  EXPECT_TRUE(about->isHighlighted());
  EXPECT_EQ(about->palette().color(QPalette::Window), QColor(Qt::black));
  leave(about);
  EXPECT_FALSE(about->isHighlighted());

  for (int i : {5, 9, 12}) {
    GameMenuRow* separator = menu().row(i);
    EXPECT_TRUE(separator->isSeparator()) << i;
    EXPECT_TRUE(separator->text().isEmpty()) << i;
    enter(separator);
    EXPECT_FALSE(separator->isHighlighted()) << i;
    mouse(separator, QEvent::MouseButtonPress, QPoint(5, 5));
    mouse(separator, QEvent::MouseButtonRelease, QPoint(5, 5));
    EXPECT_TRUE(menu().game_menu_open) << i;  // no handlers: the menu stays
  }
}

TEST_F(GameMenuRows, ClickRunsTheCommandThenFolds) {
  GameMenuRow* fullscreen = menu().row(10);
  mouse(fullscreen, QEvent::MouseButtonPress, QPoint(10, 10));
  mouse(fullscreen, QEvent::MouseButtonRelease, QPoint(10, 10));
  EXPECT_FALSE(form().fullscreen_mode);
  EXPECT_EQ(stored("FullscreenMode"), "0");
  EXPECT_FALSE(menu().game_menu_open);
  EXPECT_FALSE(menu().hasRows());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(form().findChildren<GameMenuRow*>().isEmpty());
  EXPECT_EQ(form().gameMenuBackgroundControl().rect(), QRect(0, 0, 36, 32));
}

TEST_F(GameMenuRows, PressReleasedElsewhereOnlyFolds) {
  GameMenuRow* about = menu().row(1);
  mouse(about, QEvent::MouseButtonPress, QPoint(10, 10));
  mouse(about, QEvent::MouseButtonRelease, QPoint(400, 300));  // outside the row
  EXPECT_FALSE(program->about()->isVisible());
  EXPECT_FALSE(menu().game_menu_open);
  EXPECT_FALSE(menu().hasRows());
}

TEST_F(GameMenuRows, MenuButtonFoldsAndFoldingTwiceChangesNothing) {
  menu().btn_game_menu_topClick();
  EXPECT_FALSE(menu().game_menu_open);
  EXPECT_EQ(menu().row(1), nullptr);
  EXPECT_EQ(form().gameMenuBackgroundControl().rect(), QRect(0, 0, 36, 32));
  menu().Vid_Display_Game_Menu();
  EXPECT_EQ(form().gameMenuBackgroundControl().rect(), QRect(0, 0, 36, 32));
  EXPECT_FALSE(menu().hasRows());
}

TEST_F(GameMenuRows, ClickOnTheMenuButtonOfTheWindowUnfoldsAndFolds) {
  menu().btn_game_menu_topClick();  // folded again
  mouse(&form(), QEvent::MouseButtonPress, QPoint(10, 10));
  mouse(&form(), QEvent::MouseButtonRelease, QPoint(10, 10));
  EXPECT_TRUE(menu().game_menu_open);
  EXPECT_TRUE(menu().hasRows());
  mouse(&form(), QEvent::MouseButtonPress, QPoint(50, 80));  // btn_game_menu_top
  mouse(&form(), QEvent::MouseButtonRelease, QPoint(50, 80));
  EXPECT_FALSE(menu().game_menu_open);
}

TEST(GameMenuWithoutEntries, UnfoldsWithoutRows) {
  TForm1 form;
  GameMenu menu(form);  // a creation that ended early never filled the entries
  menu.btn_game_menu_topClick();
  EXPECT_TRUE(menu.game_menu_open);
  EXPECT_EQ(menu.row(1), nullptr);
  EXPECT_EQ(form.gameMenuBackgroundControl().rect(), QRect(0, 0, 256, 448));
  menu.btn_game_menu_topClick();
  EXPECT_EQ(form.gameMenuBackgroundControl().rect(), QRect(0, 0, 36, 32));
}

}  // namespace
}  // namespace tavro::testing
