// The device window's creation steps against a fresh settings store.

#include <gtest/gtest.h>

#include <QSettings>
#include <QTest>

#include "WindowSkin.h"
#include "device/window/unit1.h"
#include "shell/ErrorBox.h"

namespace tavro::testing {
namespace {

class FormCreate : public ::testing::Test {
 protected:
  void SetUp() override {
    QSettings("Velquin", "Tavro50").clear();
    setMessageBoxHook([this](const QString& title, const QString& text) {
      boxes.push_back((title + "|" + text).toStdString());
    });
    form.setScreenSizeOverride(QSize(300, 200));
  }
  void TearDown() override {
    setMessageBoxHook(nullptr);
    QSettings("Velquin", "Tavro50").clear();
  }
  static void store(const char* name, const char* value) {
    QSettings("Velquin", "Tavro50").setValue(name, value);
  }
  static QString stored(const char* name) {
    return QSettings("Velquin", "Tavro50").value(name).toString();
  }

  TestSkin skin;
  TForm1 form;
  std::vector<std::string> boxes;
};

TEST_F(FormCreate, FirstStartIsFullscreenWithDefaultKeys) {
  writeWindowSkin(skin);
  ASSERT_TRUE(form.FormCreate());
  EXPECT_TRUE(form.fullscreen_mode);
  EXPECT_EQ(form.frame().size(), QSize(300, 200));
  EXPECT_EQ(stored("Key1"), "2");
  EXPECT_EQ(stored("Key4"), "39");
  EXPECT_EQ(form.key_bindings[kGameA].key_code, 49);  // the key 1
  EXPECT_EQ(form.key_bindings[kRight].key_code, 39);  // right arrow
  EXPECT_FALSE(form.hints.left.empty());
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(form.pos(), QPoint(-300, -200));  // off the screen
}

TEST_F(FormCreate, ReadsStoredModeKeysAndHighScores) {
  writeWindowSkin(skin);
  store("FullscreenMode", "0");
  store("Key4", "38");
  store("Key5", "99");  // no such key: no key code
  store("HiScore1", "123");
  store("HiScore2", "abc");
  ASSERT_TRUE(form.FormCreate());
  EXPECT_FALSE(form.fullscreen_mode);
  EXPECT_EQ(form.frame().size(), QSize(100, 60));
  EXPECT_EQ(stored("Key4"), "38");
  EXPECT_EQ(stored("Key5"), "99");
  EXPECT_EQ(form.key_bindings[kLeft].key_code, 40);  // down arrow
  EXPECT_EQ(form.key_bindings[kRight].key_code, 0);
  EXPECT_EQ(form.device().hi_score_a, 123);
  EXPECT_EQ(form.device().hi_score_b, 0);
}

TEST_F(FormCreate, SkinErrorIsShownAndEndsTheCreation) {
  writeWindowSkin(skin, "[Fullscreen]\nBgColor=red\n");
  EXPECT_FALSE(form.FormCreate());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "Tavro50|'red' is not a valid integer value.");
  EXPECT_EQ(stored("Key1"), "");  // steps after the skin were not done
  EXPECT_EQ(form.key_bindings[kGameA].key_code, 0);
}

// Only fullscreen shows the game menu: a windowed start never decodes its
// picture, the first fullscreen load does.
TEST_F(FormCreate, GameMenuPictureIsDecodedForFullscreenOnly) {
  writeWindowSkin(skin);
  store("FullscreenMode", "0");
  ASSERT_TRUE(form.FormCreate());
  EXPECT_FALSE(form.gameMenuBackgroundControl().hasPicture());
  form.fullscreen_mode = true;
  Gfx_Load_Skin(form);
  EXPECT_TRUE(form.gameMenuBackgroundControl().hasPicture());
  EXPECT_TRUE(form.gameMenuBackgroundControl().isVisible());
}

TEST_F(FormCreate, FullscreenStartDrawsTheGameMenuButton) {
  writeWindowSkin(skin);
  ASSERT_TRUE(form.FormCreate());
  ASSERT_TRUE(form.gameMenuBackgroundControl().hasPicture());
  const QImage& menu = form.gameMenuBackgroundControl().prepared();
  const QImage& frame = form.frame();
  for (const QPoint p : {QPoint(2, 2), QPoint(18, 16), QPoint(33, 29)}) {
    EXPECT_EQ(frame.pixel(p), menu.pixel(p)) << p.x() << "," << p.y();
  }
}

TEST_F(FormCreate, HighScoresAreWrittenThroughTheStore) {
  writeWindowSkin(skin);
  ASSERT_TRUE(form.FormCreate());
  form.device().resetHighScores();
  EXPECT_EQ(stored("HiScore1"), "0");
  EXPECT_EQ(stored("HiScore2"), "0");
}

TEST(QtTimerBackend, TicksReachTheSinkUntilStopped) {
  struct Sink : TimerSink {
    void onTimer(TimerId id) override { ticks.push_back(id); }
    std::vector<TimerId> ticks;
  } sink;
  QtTimerBackend timers;
  timers.setSink(&sink);
  timers.start(TimerId::Date, 1);
  EXPECT_TRUE(timers.isActive(TimerId::Date));
  EXPECT_FALSE(timers.isActive(TimerId::Clock));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !sink.ticks.empty(); }, 5000));
  EXPECT_EQ(sink.ticks[0], TimerId::Date);
  timers.start(TimerId::Date, 500);
  EXPECT_EQ(timers.interval(TimerId::Date), 500);
  timers.stop(TimerId::Date);
  EXPECT_FALSE(timers.isActive(TimerId::Date));
}

}  // namespace
}  // namespace tavro::testing
