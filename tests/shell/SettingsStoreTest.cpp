// The settings store against a fresh XDG_CONFIG_HOME per test.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <cctype>
#include <cstdlib>
#include <functional>

#include "shell/SettingsStore.h"
#include "support/ChildProcess.h"

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
    if (const char* home = std::getenv("HOME")) home_ = home;
    setenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit().constData(), 1);
  }
  void TearDown() override {
    if (had_) {
      setenv("XDG_CONFIG_HOME", old_.c_str(), 1);
    } else {
      unsetenv("XDG_CONFIG_HOME");
    }
    setenv("HOME", home_.c_str(), 1);
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
  std::string old_, home_;
  bool had_ = false;
};

// A test name from a table row's `what`.
const auto kRowName = [](const auto& info) {
  std::string name = info.param.what;
  for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
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

TEST_F(SettingsStoreTest, CorruptStoreGivesWhatParsesAndKeepsTheRestOnWrite) {
  QByteArray garbage("\xff\xfe\x00\x01[Gen\x80\x81\n=\n\x00\x00zz\n[General]\nHiScore1=42\n", 40);
  garbage.append("\n\x7f\x1b[2J\x00\x00\x00", 9);
  writeConf(garbage);
  {
    SettingsStore store;
    EXPECT_EQ(store.readInteger("HiScore1", 0), 42);
    EXPECT_EQ(store.readInteger("Key1", 2), 2);
    store.writeInteger("Key4", 38);
    EXPECT_TRUE(store.healthy());
  }
  SettingsStore again;
  EXPECT_EQ(again.readInteger("HiScore1", 0), 42);
  EXPECT_EQ(again.readInteger("Key4", 39), 38);
  EXPECT_TRUE(confText().startsWith(garbage.left(20)));  // the rest is kept as it was
}

// Lines of the file that a value swallowed when a quote or a backslash at the
// end of the line joined the next line to it.
struct BadValue {
  const char* what;
  const char* line;
};
// Printed by its name: the listed test names stay the same from run to run.
void PrintTo(const BadValue& row, std::ostream* out) {
  *out << row.what;
}
class OneBadValue : public SettingsStoreTest, public ::testing::WithParamInterface<BadValue> {};

TEST_P(OneBadValue, CostsNoOtherSetting) {
  writeConf(QByteArray("[General]\nKey2=3\n") + GetParam().line + "\nKey4=38\nKey5=40\n");
  SettingsStore store;
  EXPECT_EQ(store.readInteger("Key3", 4), 4);
  EXPECT_EQ(store.readInteger("Key4", 39), 38);
  EXPECT_EQ(store.readInteger("Key5", 39), 40);
  store.writeInteger("Key3", 4);  // as the start-up writes the keys back
  EXPECT_EQ(SettingsStore().readInteger("Key4", 39), 38);
  EXPECT_TRUE(confText().contains("Key4=38\n"));
}

INSTANTIATE_TEST_SUITE_P(Table, OneBadValue,
                         ::testing::Values(BadValue{"open quote", "Key3=\"5"},
                                           BadValue{"trailing backslash", "Key3=5\\"},
                                           BadValue{"escaped closing quote", "Key3=\"5\\\""},
                                           BadValue{"list with open quote", "Key3=5,\""}),
                         kRowName);

// A settings file that must not be read (the defaults are used), or whose
// lock cannot be taken in a short time: the store neither blocks nor touches
// the file; a write it cannot save is reported, and read back in this run.
struct Unlucky {
  const char* what;
  std::function<void(const QString& conf, std::unique_ptr<QLockFile>& held)> make;
  bool read, saved;  // whether HiScore1=42 is read, and HiScore1=7 saved
};
// Printed by its name: the listed test names stay the same from run to run.
void PrintTo(const Unlucky& row, std::ostream* out) {
  *out << row.what;
}
void pipe(const QString& path) {
  ASSERT_EQ(mkfifo(qPrintable(path), 0600), 0);
}
void folder(const QString& path) {
  ASSERT_TRUE(QDir().mkpath(path));
}
// A file of `bytes` bytes that starts with HiScore1=42.
auto sized(qint64 bytes) {
  return [bytes](const QString& conf, auto&) {
    QFile f(conf);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    QByteArray text("[General]\nHiScore1=42\n");
    f.write(text.append(QByteArray(bytes - text.size() - 1, ';')).append('\n'));
  };
}
// A small file with a lock file beside it, made by `lock`.
auto locked(void (*lock)(const QString&, std::unique_ptr<QLockFile>&)) {
  return [lock](const QString& conf, auto& held) {
    sized(64)(conf, held);
    lock(conf + ".lock", held);
  };
}
class UnluckyFile : public SettingsStoreTest, public ::testing::WithParamInterface<Unlucky> {};

TEST_P(UnluckyFile, NeitherBlocksNorTouchesIt) {
  ASSERT_TRUE(QDir(dir_.path()).mkpath("Velquin"));
  std::unique_ptr<QLockFile> held;
  GetParam().make(confPath(), held);
  const QFileInfo before(confPath());
  const std::optional<int> failures = testing::exitOfChild([] {
    SettingsStore store;
    const int read = store.readInteger("HiScore1", 0);
    store.writeInteger("HiScore1", 7);
    return (read == (GetParam().read ? 42 : 0) ? 0 : 1) |
           (store.healthy() == GetParam().saved ? 0 : 2) |
           (store.readInteger("HiScore1", 0) == 7 ? 0 : 4);
  });
  ASSERT_TRUE(failures) << "the store blocked";
  EXPECT_EQ(*failures, 0) << "bits: 1 HiScore1 read, 2 write saved or reported, 4 read back";
  const QFileInfo after(confPath());
  const bool same = after.isFile() == before.isFile() && after.size() == before.size();
  EXPECT_TRUE(same || GetParam().saved) << "the file is left as it was";
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnluckyFile,
    ::testing::Values(
        Unlucky{"named pipe", [](const QString& conf, auto&) { pipe(conf); }, false, false},
        Unlucky{"folder", [](const QString& conf, auto&) { folder(conf); }, false, false},
        Unlucky{"64 KB", sized(64 * 1024), true, true},
        Unlucky{"64 KB and a byte", sized(64 * 1024 + 1), false, false},
        Unlucky{"64 MB", sized(64 << 20), false, false},
        Unlucky{"lock a folder", locked([](const QString& lock, auto&) { folder(lock); }), true,
                false},
        Unlucky{"lock a named pipe", locked([](const QString& lock, auto&) { pipe(lock); }), true,
                false},
        Unlucky{"lock held by a running program", locked([](const QString& lock, auto& held) {
                  held = std::make_unique<QLockFile>(lock);
                  ASSERT_TRUE(held->tryLock());
                }),
                true, false},
        Unlucky{"lock left by a program that ended", locked([](const QString& lock, auto&) {
                  ASSERT_EQ(testing::exitOfChild(
                                [&] { return (new QLockFile(lock))->tryLock() ? 0 : 1; }),
                            0);
                  ASSERT_TRUE(QFile::exists(lock));
                }),
                true, true}),
    kRowName);

// Where the file goes: XDG_CONFIG_HOME only when it is absolute; nowhere
// without it and HOME (the values of this run are still read back).
struct Location {
  const char* what;
  const char *xdg, *home, *file;  // "@": the test's folder; nullptr: unset, or no file
};
// Printed by its name: the listed test names stay the same from run to run.
void PrintTo(const Location& row, std::ostream* out) {
  *out << row.what;
}
class SettingsLocation : public SettingsStoreTest,
                         public ::testing::WithParamInterface<Location> {};

TEST_P(SettingsLocation, FollowsTheXdgRules) {
  for (const auto& [name, value] :
       {std::pair("XDG_CONFIG_HOME", GetParam().xdg), std::pair("HOME", GetParam().home)}) {
    if (value == nullptr)
      unsetenv(name);
    else
      setenv(name, value[0] == '@' ? qPrintable(dir_.path() + (value + 1)) : value, 1);
  }
  SettingsStore store;
  EXPECT_EQ(store.fileName(), GetParam().file ? dir_.path() + GetParam().file : QString());
  store.writeInteger("HiScore2", 9);
  EXPECT_EQ(store.readInteger("HiScore2", 0), 9);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SettingsLocation,
    ::testing::Values(Location{"xdg", "@/x", "@/h", "/x/Velquin/Tavro50.conf"},
                      Location{"xdg relative", "x/rel", "@/h", "/h/.config/Velquin/Tavro50.conf"},
                      Location{"xdg empty", "", "@/h", "/h/.config/Velquin/Tavro50.conf"},
                      Location{"neither", nullptr, nullptr, nullptr},
                      Location{"xdg relative, no home", "x/rel", nullptr, nullptr},
                      Location{"both empty", "", "", nullptr}),
    kRowName);

TEST_F(SettingsStoreTest, ALinkedFileStaysALinkAndAnUnchangedValueIsNotWrittenAgain) {
  writeConf("[General]\nKey1=2\n");
  const QString real = dir_.path() + "/real.conf";
  ASSERT_TRUE(QFile::rename(confPath(), real) && QFile::link(real, confPath()));
  const auto inode = [&] {
    struct stat info {};
    return ::stat(qPrintable(real), &info) == 0 ? info.st_ino : 0;
  };
  SettingsStore store;
  store.writeInteger("Key1", 5);
  const auto written = inode();
  store.writeInteger("Key1", 5);
  EXPECT_TRUE(QFileInfo(confPath()).isSymLink());
  EXPECT_EQ(inode(), written);
  EXPECT_EQ(SettingsStore().readInteger("Key1", 2), 5);
}

// The start-up writes the key bindings back: values the file holds already
// cost no lock and no write, so neither a lock nobody can take nor the time
// of five saves stands in the way.
TEST_F(SettingsStoreTest, ValuesTheFileHoldsNeedNoLockAndSeveralAreSavedTogether) {
  writeConf("[General]\nKey1=2\n");
  SettingsStore store;
  store.writeIntegers({{"Key1", 7}, {"Key2", 3}});
  EXPECT_EQ(SettingsStore().readInteger("Key1", 0), 7);
  EXPECT_EQ(SettingsStore().readInteger("Key2", 0), 3);
  ASSERT_TRUE(QDir().mkdir(confPath() + ".lock"));
  store.writeIntegers({{"Key1", 7}, {"Key2", 3}});
  EXPECT_TRUE(store.healthy()) << store.failure().toStdString();
  store.writeInteger("Key2", 4);
  EXPECT_FALSE(store.healthy());
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
