// The skin checker judges a cue file as the program loads it: for each kind
// of file, its finding (or none) says exactly what the sound output does
// with it.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <string>
#include <vector>

#include "shell/SkinChecker.h"
#include "sound/FsoundLibrary.h"
#include "sound/RecordingFsound.h"
#include "sound/SoundSystem.h"
#include "sound/TestWav.h"

namespace tavro {
namespace {

using testing::wavBytes;
using testing::WavLayout;

// The five cues in load order.
const char* const kCues[] = {"Gameover", "Got", "Miss", "Move", "Start"};

WavLayout goodLayout() {
  WavLayout w;
  w.data = testing::pcm16(std::vector<int16_t>(2205, 4000));
  return w;
}

struct Case {
  const char* name;
  int cue;  // index into kCues
  std::string bytes;
  bool loads;                 // what the program does with it
  std::uintmax_t growTo = 0;  // the file's size, when larger than its bytes
};

std::vector<Case> cases() {
  WavLayout bits12 = goodLayout();
  bits12.bits = 12;
  WavLayout dataFirst = goodLayout();
  dataFirst.dataBeforeFormat = true;
  WavLayout cutInData = goodLayout();
  cutInData.cutTo = 44 + 1000;
  WavLayout cutInHeader = goodLayout();
  cutInHeader.cutTo = 30;
  return {
      {"AIFF data in Gameover", 0, testing::aiffBytes(), false},
      {"12-bit PCM Gameover", 0, wavBytes(bits12), false},
      {"format after data in Gameover", 0, wavBytes(dataFirst), false},
      {"12-bit PCM Start", 4, wavBytes(bits12), false},
      {"Gameover cut off in its data", 0, wavBytes(cutInData), true},
      {"Gameover cut off in its header", 0, wavBytes(cutInHeader), false},
      {"good Gameover", 0, wavBytes(goodLayout()), true},
      {"missing Gameover", 0, "", false},
      {"missing Miss", 2, "", false},
      {"Got above 16 MB", 1, wavBytes(goodLayout()), false, (std::uintmax_t{16} << 20) + 1},
  };
}

class CueFileVerdict : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    previous_ = QDir::currentPath();
    ASSERT_TRUE(QDir(dir_.path()).mkpath("Sound"));
    ASSERT_TRUE(testing::writeBytes(folder() + "/Config.ini", ""));
  }
  void TearDown() override { QDir::setCurrent(previous_); }

  std::string folder() const { return dir_.path().toStdString(); }
  std::string cueFile(int cue) const { return folder() + "/Sound/" + kCues[cue] + ".wav"; }

  void make(const Case& c) {
    for (int cue = 0; cue < 5; ++cue) {
      ASSERT_TRUE(testing::writeBytes(cueFile(cue), wavBytes(goodLayout())));
    }
    if (c.bytes.empty()) {
      std::filesystem::remove(cueFile(c.cue));
      return;
    }
    ASSERT_TRUE(testing::writeBytes(cueFile(c.cue), c.bytes));
    if (c.growTo != 0) std::filesystem::resize_file(cueFile(c.cue), c.growTo);
  }

  // The checker's findings about one cue file.
  std::vector<SkinProblem> findings(int cue) const {
    std::vector<SkinProblem> about;
    for (const SkinProblem& p : checkSkin(folder())) {
      if (p.file == cueFile(cue)) about.push_back(p);
    }
    return about;
  }

  QTemporaryDir dir_;
  QString previous_;
};

TEST_F(CueFileVerdict, CheckerFindsAProblemExactlyWhenTheProgramDoesNotLoadTheCue) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.name);
    make(c);
    const std::vector<SkinProblem> found = findings(c.cue);

    // The program, started in the checked folder with a sound output.
    QDir::setCurrent(dir_.path());
    RealFsoundLibrary real;
    testing::RecordingFsound library(&real);
    SoundSystem sound(library);
    const bool opened = sound.Snd_Open(2);
    const bool loaded = library.loadedAs(std::string("Sound/") + kCues[c.cue] + ".wav") != nullptr;
    sound.Snd_Release();
    QDir::setCurrent(previous_);

    EXPECT_EQ(loaded, c.loads);
    EXPECT_EQ(opened, c.cue != 0 || c.loads);
    EXPECT_EQ(found.size(), loaded ? 0u : 1u);
    if (loaded || found.size() != 1) continue;
    const std::string& message = found[0].message;
    if (c.cue == 0) {
      EXPECT_EQ(found[0].severity, Severity::Error);
      EXPECT_NE(message.find(": with a sound output the program ends (\"Sound folder unproperly "
                             "installed\")"),
                std::string::npos)
          << message;
    } else {
      EXPECT_EQ(found[0].severity, Severity::Warning);
      EXPECT_NE(message.find(std::string(": the ") + kCues[c.cue] + " cue stays silent"),
                std::string::npos)
          << message;
    }
  }
}

}  // namespace
}  // namespace tavro
