// The settings store against a fresh XDG_CONFIG_HOME per test.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

#include "shell/SettingsStore.h"

namespace tavro {
namespace {

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) {
      old_ = old;
      had_ = true;
    }
    setenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit().constData(), 1);
  }
  void TearDown() override {
    if (had_) {
      setenv("XDG_CONFIG_HOME", old_.c_str(), 1);
    } else {
      unsetenv("XDG_CONFIG_HOME");
    }
  }
  QString confPath() const { return dir_.path() + "/Velquin/Tavro50.conf"; }
  QByteArray confText() const {
    QFile f(confPath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  void writeConf(const QByteArray& text) {
    ASSERT_TRUE(QDir(dir_.path()).mkpath("Velquin"));
    QFile f(confPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
  }

  QTemporaryDir dir_;
  std::string old_;
  bool had_ = false;
};

TEST_F(SettingsStoreTest, EmptyStoreGivesEveryDefault) {
  SettingsStore store;
  EXPECT_EQ(store.fileName(), confPath());
  EXPECT_TRUE(store.readBool("FullscreenMode", true));
  EXPECT_EQ(store.readInteger("Key1", 2), 2);
  EXPECT_EQ(store.readInteger("Key2", 3), 3);
  EXPECT_EQ(store.readInteger("Key3", 4), 4);
  EXPECT_EQ(store.readInteger("Key4", 39), 39);
  EXPECT_EQ(store.readInteger("Key5", 40), 40);
  EXPECT_EQ(store.readInteger("HiScore1", 0), 0);
  EXPECT_EQ(store.readInteger("HiScore2", 0), 0);
  EXPECT_TRUE(store.readBool("SplashScreen", true));
  EXPECT_EQ(store.readInteger("SoundMode", -1), -1);
  EXPECT_FALSE(QFile::exists(confPath()));  // reading writes nothing
}

TEST_F(SettingsStoreTest, TextThatIsNoIntegerReadsAsTheDefault) {
  writeConf(
      "[General]\nHiScore1=abc\nHiScore2=12x\nKey1=\nKey2=\" 7 \"\nKey3=99999999999\n"
      "Key4=38\nKey5=-0\nSoundMode=+2\nSplashScreen=5\nFullscreenMode=0\nList=1, 2\n");
  SettingsStore store;
  EXPECT_EQ(store.readInteger("HiScore1", 0), 0);
  EXPECT_EQ(store.readInteger("HiScore2", 17), 17);
  EXPECT_EQ(store.readInteger("Key1", 2), 2);
  EXPECT_EQ(store.readInteger("Key2", 3), 7);  // blanks around the number are allowed
  EXPECT_EQ(store.readInteger("Key3", 4), 4);  // out of range
  EXPECT_EQ(store.readInteger("Key4", 39), 38);
  EXPECT_EQ(store.readInteger("Key5", 40), 0);
  EXPECT_EQ(store.readInteger("SoundMode", -1), 2);
  EXPECT_TRUE(store.readBool("SplashScreen", false));  // any integer but 0 is true
  EXPECT_FALSE(store.readBool("FullscreenMode", true));
  EXPECT_EQ(store.readInteger("List", 5), 5);  // not a single text value
}

TEST_F(SettingsStoreTest, ValuesAreStoredAsPlainTextAndSurviveANewStore) {
  {
    SettingsStore store;
    store.writeInteger("SoundMode", -1);
    store.writeBool("FullscreenMode", false);
    store.writeBool("SplashScreen", true);
    store.writeInteger("HiScore1", 1200);
    EXPECT_TRUE(store.healthy());
  }
  const QByteArray text = confText();
  EXPECT_TRUE(text.contains("[General]"));
  EXPECT_TRUE(text.contains("SoundMode=-1\n"));
  EXPECT_TRUE(text.contains("FullscreenMode=0\n"));
  EXPECT_TRUE(text.contains("SplashScreen=1\n"));
  EXPECT_TRUE(text.contains("HiScore1=1200\n"));

  SettingsStore again;
  EXPECT_EQ(again.readInteger("SoundMode", 0), -1);
  EXPECT_FALSE(again.readBool("FullscreenMode", true));
  EXPECT_EQ(again.readInteger("HiScore1", 0), 1200);
}

TEST_F(SettingsStoreTest, ReadsSeeTheFileAsItIsNow) {
  SettingsStore store;
  store.writeInteger("HiScore1", 5);
  writeConf("[General]\nHiScore1=250\nSplashScreen=0\n");  // changed by hand meanwhile
  EXPECT_EQ(store.readInteger("HiScore1", 0), 250);
  EXPECT_FALSE(store.readBool("SplashScreen", true));
}

TEST_F(SettingsStoreTest, WriteIsOnDiskWhenTheProcessIsKilledRightAfterIt) {
  const pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    SettingsStore store;
    store.writeInteger("HiScore2", 345);
    raise(SIGKILL);
    _exit(0);  // not reached
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGKILL);
  SettingsStore store;
  EXPECT_EQ(store.readInteger("HiScore2", 0), 345);
}

TEST_F(SettingsStoreTest, UnwritableStoreKeepsTheValuesOfThisRun) {
  // A plain file where the folder should be: no one, not even root, can
  // create the store below it.
  QFile blocker(dir_.path() + "/Velquin");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();

  SettingsStore store;
  EXPECT_EQ(store.readInteger("HiScore1", 0), 0);
  store.writeInteger("HiScore1", 77);
  EXPECT_FALSE(store.healthy());
  EXPECT_EQ(store.readInteger("HiScore1", 0), 77);
  store.writeBool("SplashScreen", false);
  EXPECT_FALSE(store.readBool("SplashScreen", true));
}

TEST_F(SettingsStoreTest, CorruptStoreGivesWhatParsesAndIsRepairedByTheNextWrite) {
  QByteArray garbage("\xff\xfe\x00\x01[Gen\x80\x81\n=\n\x00\x00zz\n[General]\nHiScore1=42\n", 40);
  garbage.append("\n\x7f\x1b[2J\x00\x00\x00", 9);
  writeConf(garbage);
  {
    SettingsStore store;
    EXPECT_EQ(store.readInteger("HiScore1", 0), 42);
    EXPECT_EQ(store.readInteger("Key1", 2), 2);
    store.writeInteger("Key4", 38);
    EXPECT_FALSE(store.healthy());
    EXPECT_EQ(store.readInteger("Key4", 39), 38);
  }
  SettingsStore again;
  EXPECT_EQ(again.readInteger("HiScore1", 0), 42);
  EXPECT_EQ(again.readInteger("Key4", 39), 38);
  again.writeInteger("Key5", 40);
  EXPECT_TRUE(again.healthy());
}

TEST_F(SettingsStoreTest, RandomBytesDoNotCrashTheStore) {
  QByteArray noise;
  uint32_t x = 12345;
  for (int i = 0; i < 4096; ++i) {
    x = x * 1103515245u + 12345u;
    noise.append(static_cast<char>(x >> 24));
  }
  writeConf(noise);
  SettingsStore store;
  (void)store.readInteger("Key1", 2);
  (void)store.readBool("FullscreenMode", true);
  store.writeInteger("HiScore1", 5);
  EXPECT_EQ(store.readInteger("HiScore1", 0), 5);
  SettingsStore again;
  EXPECT_EQ(again.readInteger("HiScore1", 0), 5);
}

}  // namespace
}  // namespace tavro
