// Program start and stop: the order of the windows, the first activation
// that shows the launcher, the skip path and the close.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "ProgramFixture.h"
#include "input/keys.h"
#include "shell/DeviceMenu.h"
#include "shell/about.h"
#include "shell/manual.h"

namespace tavro::testing {
namespace {

using ProgramStart = ProgramFixture;

bool segmentTestShown(TForm1& form) {
  return form.skinControl(im_hero(1, 1)).isVisible() &&
         form.skinControl(im_item_1_target).isVisible();
}

TEST_F(ProgramStart, FirstStartShowsTheLauncherOnceAndKeepsTheDeviceOffTheScreen) {
  ASSERT_TRUE(start());
  EXPECT_TRUE(program->createdFully());
  ASSERT_NE(program->about(), nullptr);
  ASSERT_NE(program->keys(), nullptr);
  ASSERT_NE(program->manual(), nullptr);
  ASSERT_NE(program->splash(), nullptr);
  EXPECT_EQ(applicationTitle(), "Tavro50");
  EXPECT_EQ(form().windowTitle(), "Tavro50");
  // Qt's display name would be appended to every window title on X11.
  EXPECT_TRUE(QGuiApplication::applicationDisplayName().isEmpty() ||
              QGuiApplication::applicationDisplayName() == QCoreApplication::applicationName());
  EXPECT_TRUE(form().fullscreen_mode);
  // Nothing of the device window is shown before the launcher's play.
  EXPECT_FALSE(form().isVisible());
  EXPECT_EQ(form().pos(), offScreen());
  EXPECT_FALSE(segmentTestShown(form()));

  TSplashForm& splash = *program->splash();
  EXPECT_FALSE(splash_pending);  // the first activation ran once the loop turned
  EXPECT_TRUE(splash.isVisible());
  EXPECT_FALSE(splash.btn_play->isEnabled());
  EXPECT_EQ(splash.cb_sound->currentIndex(), -1);

  // Without a choice Enter and 1 start nothing.
  QTest::keyClick(splash.cb_sound, Qt::Key_Return);
  QTest::keyClick(splash.cb_sound, Qt::Key_1);
  EXPECT_TRUE(splash.isVisible());
  EXPECT_EQ(form().pos(), offScreen());

  // Later activations do not show it again.
  splash.hide();
  program->FormActivate();
  EXPECT_FALSE(splash.isVisible());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(ProgramStart, PlayWithoutSoundCentresTheDeviceInItsSegmentTest) {
  ASSERT_TRUE(start());
  TSplashForm& splash = *program->splash();
  splash.cb_sound->setCurrentIndex(2);  // (no sound)
  splash.chb_splashscreen->setChecked(false);
  QTest::keyClick(splash.cb_sound, Qt::Key_Return);
  EXPECT_FALSE(splash.isVisible());
  EXPECT_EQ(form().pos(), centred());
  EXPECT_EQ(form().device().device_mode, 0);
  EXPECT_TRUE(segmentTestShown(form()));
  EXPECT_FALSE(form().sound().sound_on);
  EXPECT_EQ(stored("SoundMode"), "2");
  EXPECT_FALSE(program->menu().splashChecked());
}

TEST_F(ProgramStart, StoredOutputOutsideTheListWaitsForAChoice) {
  store("SoundMode", "7");
  store("SplashScreen", "0");
  ASSERT_TRUE(start());
  EXPECT_FALSE(program->splash()->skipped());
  EXPECT_TRUE(program->splash()->isVisible());
  EXPECT_EQ(form().pos(), offScreen());
}

TEST_F(ProgramStart, SkipPathStartsTheDeviceCentredWithoutTheLauncher) {
  for (const char* mode : {"1", "2"}) {
    splash_pending = true;
    store("SoundMode", mode);
    store("SplashScreen", "0");
    store("FullscreenMode", "0");
    ASSERT_TRUE(start()) << mode;
    EXPECT_TRUE(program->splash()->skipped()) << mode;
    EXPECT_FALSE(program->splash()->isVisible()) << mode;
    EXPECT_FALSE(form().fullscreen_mode) << mode;
    EXPECT_EQ(form().pos(), centred()) << mode;
    EXPECT_TRUE(segmentTestShown(form())) << mode;
    EXPECT_EQ(form().sound().sound_on, std::string(mode) == "1") << mode;
    EXPECT_FALSE(program->menu().splashChecked()) << mode;
    EXPECT_TRUE(boxes.empty()) << mode;
  }
}

// After the first frame the about window is made ready; a launcher that
// skipped itself is never shown in this run: it builds no controls and
// decodes none of its pictures, and the menu still sees its choice.
TEST_F(ProgramStart, SkipPathLeavesTheLauncherWithoutControls) {
  startSkipping(false);
  ASSERT_TRUE(QTest::qWaitFor([this] { return program->about()->im_picture != nullptr; }, 5000));
  EXPECT_EQ(program->splash()->btn_play, nullptr);
  EXPECT_TRUE(program->splash()->findChildren<QWidget*>().isEmpty());
  EXPECT_FALSE(program->splash()->showsAtStart());
  program->menu().pm_0_menuPopup();
  EXPECT_FALSE(program->menu().splashChecked());
}

TEST_F(ProgramStart, MissingConfigEndsTheProgramBeforeAnyWindowShows) {
  QTemporaryDir empty;
  useConfigDir(empty.path());
  EXPECT_FALSE(start());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0],
            "Error|Configuration file (Config.ini) not found. Please reinstall the game.");
  EXPECT_FALSE(form().isVisible());
  EXPECT_EQ(program->splash(), nullptr);
}

TEST_F(ProgramStart, SkinErrorEndsTheCreationButTheProgramGoesOn) {
  // The background colour of fullscreen mode is no number.
  useChangedConfig("[Fullscreen]", "[Fullscreen]\r\nBgColor=red");
  ASSERT_TRUE(start());
  EXPECT_FALSE(program->createdFully());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "Tavro50|'red' is not a valid integer value.");
  EXPECT_TRUE(program->splash()->isVisible());
  EXPECT_EQ(stored("Key1"), "<absent>");  // the steps after the skin were not done
}

TEST_F(ProgramStart, CloseReleasesSoundAndSettingsAndEndsTheProgram) {
  startSkipping();
  form().close();
  EXPECT_EQ(ends, 1);
  EXPECT_TRUE(program->ended());
  EXPECT_EQ(form().settings(), nullptr);
  // Handlers that run before the loop ends find no store and write nothing.
  QKeyEvent f12(QEvent::KeyPress, Qt::Key_F12, Qt::NoModifier);
  QCoreApplication::sendEvent(&form(), &f12);
  EXPECT_EQ(stored("FullscreenMode"), "1");
}

}  // namespace
}  // namespace tavro::testing

namespace tavro::testing {
namespace {

// A plain file where the settings folder should be: no write can be saved.
void blockSettings() {
  QFile blocker(qEnvironmentVariable("XDG_CONFIG_HOME") + "/Velquin");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
}

TEST_F(ProgramStart, UnsavedSettingsAreToldOnceAfterTheFirstFrame) {
  blockSettings();
  ASSERT_TRUE(start());  // its creation writes the keys, and fails
  EXPECT_TRUE(boxes.empty()) << "not during the creation";
  ASSERT_TRUE(QTest::qWaitFor([this] { return !boxes.empty(); }, 5000));
  EXPECT_TRUE(boxes[0].startsWith("Tavro50|Settings cannot be saved to " +
                                  qEnvironmentVariable("XDG_CONFIG_HOME") +
                                  "/Velquin/Tavro50.conf: "))
      << boxes[0].toStdString();
  EXPECT_TRUE(program->splash()->isVisible());  // the program goes on
  program->menu().pm_11_splashscreenClick();    // fails again
  QTest::qWait(300);
  EXPECT_EQ(boxes.size(), 1u);
}

}  // namespace
}  // namespace tavro::testing
