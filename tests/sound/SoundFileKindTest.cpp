// Cue files that exist but are no regular files, or are huge, never reach
// the sound library (which would block on a pipe and read /dev/zero for
// ever): they stay unloaded, exactly as missing files do.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>

#include "RecordingFsound.h"
#include "sound/SoundSystem.h"

namespace tavro {
namespace {

namespace fs = std::filesystem;
using testing::RecordingFsound;

enum class Kind { Regular, LinkToRegular, Folder, Pipe, LinkToZero, Huge };

struct Case {
  const char* name;
  Kind kind;
  bool handedToLibrary;
};

const Case kCases[] = {
    {"regular file", Kind::Regular, true},
    {"link to a regular file", Kind::LinkToRegular, true},
    {"folder", Kind::Folder, false},
    {"named pipe", Kind::Pipe, false},
    {"link to /dev/zero", Kind::LinkToZero, false},
    {"file above 16 MB", Kind::Huge, false},
};

void PrintTo(const Case& c, std::ostream* out) {
  *out << c.name;
}

class SoundFileKind : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    previous_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    fs::create_directory("Sound");
    for (const char* cue : {"Gameover", "Got", "Miss", "Move", "Start"}) {
      std::ofstream(std::string("Sound/") + cue + ".wav", std::ios::binary) << "RIFF";
    }
  }
  void TearDown() override { QDir::setCurrent(previous_); }

  static void make(const std::string& file, Kind kind) {
    fs::remove(file);
    switch (kind) {
      case Kind::Regular:
        std::ofstream(file, std::ios::binary) << "RIFF";
        break;
      case Kind::LinkToRegular:
        std::ofstream("elsewhere.wav", std::ios::binary) << "RIFF";
        fs::create_symlink(fs::absolute("elsewhere.wav"), file);
        break;
      case Kind::Folder:
        fs::create_directory(file);
        break;
      case Kind::Pipe:
        ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
        break;
      case Kind::LinkToZero:
        fs::create_symlink("/dev/zero", file);
        break;
      case Kind::Huge:
        std::ofstream(file, std::ios::binary).flush();
        fs::resize_file(file, (std::uintmax_t{16} << 20) + 1);
        break;
    }
  }
  static bool loaded(const RecordingFsound& library, const std::string& file) {
    return std::find(library.calls.begin(), library.calls.end(),
                     "Sample_Load(-1," + file + ",8192,0,0)") != library.calls.end();
  }

  QTemporaryDir dir_;
  QString previous_;
};

TEST_P(SoundFileKind, GameoverCountsAsMissingAndFailsTheOpening) {
  make("Sound/Gameover.wav", GetParam().kind);
  RecordingFsound library;
  SoundSystem sound(library);
  EXPECT_EQ(sound.Snd_Open(2), GetParam().handedToLibrary);
  EXPECT_EQ(loaded(library, "Sound/Gameover.wav"), GetParam().handedToLibrary);
  EXPECT_TRUE(loaded(library, "Sound/Start.wav"));  // the other four are still loaded
}

TEST_P(SoundFileKind, AnotherCueStaysSilentWhileTheRestSound) {
  make("Sound/Got.wav", GetParam().kind);
  RecordingFsound library;
  SoundSystem sound(library);
  ASSERT_TRUE(sound.Snd_Open(1));
  EXPECT_EQ(loaded(library, "Sound/Got.wav"), GetParam().handedToLibrary);
  sound.sound_on = true;
  library.calls.clear();
  sound.play(Cue::Got);
  sound.play(Cue::Miss);
  ASSERT_EQ(library.calls.size(), 2u);
  EXPECT_EQ(library.calls[0] == "PlaySound(-1,null)", !GetParam().handedToLibrary);
  EXPECT_NE(library.calls[1], "PlaySound(-1,null)");
}

INSTANTIATE_TEST_SUITE_P(Kinds, SoundFileKind, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           std::string name = info.param.name;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

}  // namespace
}  // namespace tavro
