// The launcher: first start, stored choices, the skip path, keys, the play
// action and its failure when the Sound folder is broken.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "shell/DocumentOpener.h"
#include "shell/ErrorBox.h"
#include "shell/SettingsStore.h"
#include "shell/splash.h"
#include "sound/SoundSystem.h"

namespace tavro {
namespace {

class SplashFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    previousConfig_ = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    previousXdg_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
    setMessageBoxHook([this](const QString& title, const QString& text) {
      boxes_.push_back(title + "|" + text);
    });
    DocumentOpener::setHook([this](const QUrl& url) { opened_.push_back(url.toString()); });
    splash_pending = true;
  }
  void TearDown() override {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, previousConfig_);
    if (previousXdg_.isNull()) {
      qunsetenv("XDG_CONFIG_HOME");
    } else {
      qputenv("XDG_CONFIG_HOME", previousXdg_);
    }
    setMessageBoxHook({});
    DocumentOpener::setHook({});
  }

  void store(const char* name, const char* text) {
    QSettings s("Velquin", "Tavro50");
    s.setValue(name, text);
    s.sync();
  }
  QString stored(const char* name) {
    QSettings s("Velquin", "Tavro50");
    return s.value(name, "<absent>").toString();
  }

  // The device side of the play action, recorded in call order.
  SplashActions recordingActions(bool soundOpens = true) {
    SplashActions a;
    a.setSoundOn = [this](bool on) { calls_.push_back(on ? "soundOn" : "soundOff"); };
    a.openSound = [this, soundOpens](int type) {
      calls_.push_back("open" + std::to_string(type));
      return soundOpens;
    };
    a.setSplashMenuChecked = [this](bool c) { calls_.push_back(c ? "menuOn" : "menuOff"); };
    a.centreDevice = [this] { calls_.push_back("centre"); };
    a.startDevice = [this] { calls_.push_back("start"); };
    a.endProgram = [this] { calls_.push_back("end"); };
    return a;
  }

  std::unique_ptr<TSplashForm> create(bool soundOpens = true) {
    store_ = std::make_unique<SettingsStore>();
    return std::make_unique<TSplashForm>(*store_, recordingActions(soundOpens));
  }

  QTemporaryDir dir_;
  QString previousConfig_;
  QByteArray previousXdg_;
  std::unique_ptr<SettingsStore> store_;
  std::vector<std::string> calls_;
  std::vector<QString> boxes_;
  std::vector<QString> opened_;
};

TEST_F(SplashFormTest, FirstStartWaitsForAnOutputChoice) {
  auto splash = create();
  EXPECT_FALSE(splash->skipped());
  EXPECT_EQ(splash->cb_sound->currentIndex(), -1);
  EXPECT_TRUE(splash->chb_splashscreen->isChecked());
  EXPECT_TRUE(splash->btn_play->isHidden());
  EXPECT_FALSE(splash->btn_play->isEnabled());
  EXPECT_FALSE(splash->btn_play_disabled->isHidden());
  EXPECT_EQ(splash->btn_play_disabled->toolTip(), "please select sound driver first");

  splash->show();
  QTest::keyClick(splash->cb_sound, Qt::Key_Return);
  QTest::keyClick(splash->cb_sound, Qt::Key_1);
  QTest::keyClick(splash.get(), Qt::Key_Enter);
  EXPECT_TRUE(calls_.empty());
  EXPECT_TRUE(splash->isVisible());
  EXPECT_EQ(stored("SoundMode"), "<absent>");

  splash->cb_sound->setCurrentIndex(2);
  EXPECT_FALSE(splash->btn_play->isHidden());
  EXPECT_TRUE(splash->btn_play->isEnabled());
  EXPECT_TRUE(splash->btn_play_disabled->isHidden());
  EXPECT_TRUE(splash_pending);  // only the device window or the skip path clears it
}

TEST_F(SplashFormTest, ListHoldsTheThreeOutputsInOrder) {
  auto splash = create();
  ASSERT_EQ(splash->cb_sound->count(), 3);
  EXPECT_EQ(splash->cb_sound->itemText(0), "Microsoft DirectSound");
  EXPECT_EQ(splash->cb_sound->itemText(1), "Windows MultiMedia");
  EXPECT_EQ(splash->cb_sound->itemText(2), "(no sound)");
}

TEST_F(SplashFormTest, StoredOutputOutsideTheListIsNoChoice) {
  for (const char* value : {"7", "-3", "abc"}) {
    store("SoundMode", value);
    store("SplashScreen", "0");
    auto splash = create();
    EXPECT_FALSE(splash->skipped()) << value;
    EXPECT_EQ(splash->cb_sound->currentIndex(), -1) << value;
    EXPECT_TRUE(splash->btn_play->isHidden()) << value;
    EXPECT_FALSE(splash->chb_splashscreen->isChecked()) << value;
    EXPECT_TRUE(calls_.empty()) << value;
    EXPECT_TRUE(splash_pending) << value;
  }
}

TEST_F(SplashFormTest, SkipPathPlaysAtOnceAndIsNeverSeen) {
  store("SoundMode", "1");
  store("SplashScreen", "0");
  auto splash = create();
  EXPECT_TRUE(splash->skipped());
  EXPECT_FALSE(splash->isVisible());
  EXPECT_FALSE(splash_pending);
  EXPECT_EQ(calls_, (std::vector<std::string>{"soundOn", "open1", "menuOff", "centre", "start"}));
  EXPECT_EQ(stored("SoundMode"), "1");
  EXPECT_EQ(stored("SplashScreen"), "0");
}

TEST_F(SplashFormTest, SkipPathWithoutSoundOpensNothing) {
  store("SoundMode", "2");
  store("SplashScreen", "0");
  auto splash = create();
  EXPECT_TRUE(splash->skipped());
  EXPECT_EQ(calls_, (std::vector<std::string>{"soundOff", "menuOff", "centre", "start"}));
}

// The pictures are decoded only when the launcher is polished for a show, a
// grab or by request, not at Qt's polish request on the event loop's first pass.
TEST_F(SplashFormTest, PicturesWaitUntilTheLauncherIsPolished) {
  const std::vector<std::pair<const char*, std::function<void(TSplashForm&)>>> triggers = {
      {"show", [](TSplashForm& s) { s.show(); }},
      {"grab", [](TSplashForm& s) { s.grab(); }},
      {"ensurePolished", [](TSplashForm& s) { s.ensurePolished(); }},
  };
  store("SoundMode", "2");
  store("SplashScreen", "1");
  for (const auto& [name, trigger] : triggers) {
    auto splash = create();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    EXPECT_TRUE(splash->im_box_picture->pixmap().isNull()) << name;
    trigger(*splash);
    EXPECT_FALSE(splash->im_box_picture->pixmap().isNull()) << name;
    EXPECT_FALSE(splash->btn_play->pixmap().isNull()) << name;
  }
}

TEST_F(SplashFormTest, StoredChoiceWithSplashOnIsPreselectedAndEnterStarts) {
  store("SoundMode", "0");
  auto splash = create();
  EXPECT_FALSE(splash->skipped());
  EXPECT_EQ(splash->cb_sound->currentText(), "Microsoft DirectSound");
  EXPECT_FALSE(splash->btn_play->isHidden());
  splash->show();
  QTest::keyClick(splash->cb_sound, Qt::Key_Return);
  EXPECT_EQ(calls_, (std::vector<std::string>{"soundOn", "open2", "menuOn", "centre", "start"}));
  EXPECT_FALSE(splash->isVisible());
  EXPECT_EQ(stored("SoundMode"), "0");
  EXPECT_EQ(stored("SplashScreen"), "1");
}

TEST_F(SplashFormTest, TheOneKeyPlaysWhateverHasTheFocus) {
  store("SoundMode", "2");
  auto splash = create();
  splash->show();
  QTest::keyClick(splash->chb_splashscreen, Qt::Key_1);
  EXPECT_EQ(calls_, (std::vector<std::string>{"soundOff", "menuOn", "centre", "start"}));
  EXPECT_FALSE(splash->isVisible());
}

TEST_F(SplashFormTest, UncheckingTheBoxStoresSplashScreenOff) {
  auto splash = create();
  splash->show();
  splash->cb_sound->setCurrentIndex(1);
  splash->chb_splashscreen->setChecked(false);
  QTest::mouseClick(splash->btn_play, Qt::LeftButton);
  EXPECT_EQ(stored("SplashScreen"), "0");
  EXPECT_EQ(stored("SoundMode"), "1");
  EXPECT_EQ(calls_, (std::vector<std::string>{"soundOn", "open1", "menuOff", "centre", "start"}));
}

TEST_F(SplashFormTest, EscapeEndsTheProgramStoringNothing) {
  auto splash = create();
  splash->show();
  splash->cb_sound->setCurrentIndex(0);
  splash->chb_splashscreen->setChecked(false);
  QTest::keyClick(splash->cb_sound, Qt::Key_Escape);
  EXPECT_EQ(calls_, (std::vector<std::string>{"end"}));
  EXPECT_EQ(stored("SoundMode"), "<absent>");
  EXPECT_EQ(stored("SplashScreen"), "<absent>");
}

TEST_F(SplashFormTest, ClosedByTheWindowManagerEndsTheProgramLikeEscape) {
  auto splash = create();
  splash->show();
  splash->cb_sound->setCurrentIndex(2);
  splash->close();
  EXPECT_EQ(calls_, (std::vector<std::string>{"end"}));
  EXPECT_EQ(stored("SoundMode"), "<absent>");
}

TEST_F(SplashFormTest, BrokenSoundFolderShowsTheErrorAndResetsTheChoice) {
  auto splash = create(/*soundOpens=*/false);
  splash->show();
  splash->cb_sound->setCurrentIndex(0);
  splash->chb_splashscreen->setChecked(false);
  QTest::keyClick(splash->cb_sound, Qt::Key_Return);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0], "Error|Sound folder unproperly installed. Please reinstall the game.");
  EXPECT_EQ(stored("SoundMode"), "-1");
  EXPECT_EQ(stored("SplashScreen"), "1");
  EXPECT_EQ(calls_, (std::vector<std::string>{"soundOn", "open2", "end"}));
}

TEST_F(SplashFormTest, BrokenSoundFolderOnTheSkipPathEndsTheProgram) {
  store("SoundMode", "1");
  store("SplashScreen", "0");
  auto splash = create(/*soundOpens=*/false);
  EXPECT_EQ(calls_, (std::vector<std::string>{"soundOn", "open1", "end"}));
  EXPECT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(stored("SoundMode"), "-1");
  EXPECT_EQ(stored("SplashScreen"), "1");
}

TEST_F(SplashFormTest, RealOutputWithoutSoundFolderStopsBeforeTheDevice) {
  QTemporaryDir empty;  // a working directory without the Sound folder
  const QString previous = QDir::currentPath();
  QDir::setCurrent(empty.path());
  SoundSystem sound;
  SplashActions actions = recordingActions();
  actions.setSoundOn = [&](bool on) { sound.sound_on = on; };
  actions.openSound = [&](int type) { return sound.Snd_Open(type); };
  store_ = std::make_unique<SettingsStore>();
  TSplashForm splash(*store_, actions);
  splash.show();
  splash.cb_sound->setCurrentIndex(1);
  QTest::keyClick(splash.cb_sound, Qt::Key_Return);
  sound.Snd_Release();
  QDir::setCurrent(previous);

  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0], "Error|Sound folder unproperly installed. Please reinstall the game.");
  EXPECT_EQ(stored("SoundMode"), "-1");
  EXPECT_EQ(stored("SplashScreen"), "1");
  EXPECT_EQ(calls_, (std::vector<std::string>{"end"}));
}

TEST_F(SplashFormTest, EndRequestedBeforeTheEventLoopRunsStillEndsIt) {
  store("SoundMode", "0");
  store("SplashScreen", "0");
  store_ = std::make_unique<SettingsStore>();
  SplashActions actions = recordingActions(/*soundOpens=*/false);
  actions.endProgram = nullptr;  // the program's own way of ending
  TSplashForm splash(*store_, actions);
  // A loop that was never told to end would return 7 from this guard instead.
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(7); });
  guard.start(5000);
  EXPECT_EQ(QCoreApplication::exec(), 0);
}

TEST_F(SplashFormTest, LinksOpenTheirAddressesAndLeaveTheSplashOpen) {
  auto splash = create();
  splash->show();
  QTest::mouseClick(splash->la_website_2, Qt::LeftButton);
  QTest::mouseClick(splash->la_email_2, Qt::LeftButton);
  QTest::mouseClick(splash->btn_paypal, Qt::LeftButton);
  ASSERT_EQ(opened_.size(), 3u);
  EXPECT_TRUE(opened_[0].startsWith("http"));
  EXPECT_TRUE(opened_[1].startsWith("mailto:"));
  EXPECT_TRUE(opened_[2].contains("donate"));
  EXPECT_TRUE(splash->isVisible());
  EXPECT_TRUE(calls_.empty());
}

TEST_F(SplashFormTest, ListComesFirstAndTheCheckBoxSecondInTheTabOrder) {
  auto splash = create();
  QWidget* next = splash->cb_sound->nextInFocusChain();
  while (next != splash->cb_sound && !(next->focusPolicy() & Qt::TabFocus)) {
    next = next->nextInFocusChain();
  }
  EXPECT_EQ(next, splash->chb_splashscreen);
}

TEST_F(SplashFormTest, BackgroundBandsHaveTheirColours) {
  auto splash = create();
  const QImage frame = splash->grab().toImage();
  EXPECT_EQ(QColor(frame.pixel(2, 10)), QColor(0x08, 0x29, 0x52));
  EXPECT_EQ(QColor(frame.pixel(2, 100)), QColor(0x18, 0x52, 0x94));
  EXPECT_EQ(QColor(frame.pixel(2, 300)), QColor(Qt::white));
  EXPECT_EQ(QColor(frame.pixel(2, 415)), QColor(0x08, 0x29, 0x52));
}

}  // namespace
}  // namespace tavro
