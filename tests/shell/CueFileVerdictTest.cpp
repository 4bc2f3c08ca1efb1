// The skin checker judges a cue file as the program loads it: its finding, or
// none, says exactly what the sound output does with the file.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>

#include "shell/SkinChecker.h"
#include "sound/FsoundLibrary.h"
#include "sound/RecordingFsound.h"
#include "sound/SoundSystem.h"
#include "sound/TestWav.h"

namespace tavro {
namespace {

using testing::WavLayout;

const char* const kCues[] = {"Gameover", "Got", "Miss", "Move", "Start"};

std::string wav(void (*change)(WavLayout&) = nullptr) {
  WavLayout w;
  w.data = testing::pcm16(std::vector<int16_t>(2205, 4000));
  if (change) change(w);
  return testing::wavBytes(w);
}

// Big-endian AIFF: one channel, 100 frames of 16 bits at 22050 Hz.
const std::string kAiff = std::string(
                              "FORM\0\0\0\xf6"
                              "AIFFCOMM\0\0\0\x12\0\x01\0\0\0\x64\0\x10"
                              "\x40\x0d\xac\x44\0\0\0\0\0\0SSND\0\0\0\xd0",
                              46) +
                          std::string(8 + 200, '\0');

TEST(CueFileVerdict, CheckerFindsAProblemExactlyWhenTheProgramDoesNotLoadTheCue) {
  const struct Case {
    const char* name;
    int cue;            // into kCues
    std::string bytes;  // empty: no file
    bool loads;
    std::uintmax_t growTo = 0;
  } cases[] = {
      {"AIFF data in Gameover", 0, kAiff, false},
      {"12-bit Gameover", 0, wav([](WavLayout& w) { w.bits = 12; }), false},
      {"format after data in Gameover", 0, wav([](WavLayout& w) { w.dataBeforeFormat = true; }),
       false},
      {"12-bit Start", 4, wav([](WavLayout& w) { w.bits = 12; }), false},
      {"Gameover cut off in its data", 0, wav([](WavLayout& w) { w.cutTo = 1044; }), true},
      {"Gameover cut off in its header", 0, wav([](WavLayout& w) { w.cutTo = 30; }), false},
      {"good Gameover", 0, wav(), true},
      {"missing Gameover", 0, "", false},
      {"Got above 16 MB", 1, wav(), false, (std::uintmax_t{16} << 20) + 1},
      {"Miss lasting 3 minutes", 2, wav([](WavLayout& w) {
         w.rate = 100;
         w.bits = 8;
         w.data.resize(18000);
       }),
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    const std::string file = folder + "/Sound/" + kCues[c.cue] + ".wav";
    ASSERT_TRUE(QDir(dir.path()).mkpath("Sound"));
    ASSERT_TRUE(testing::writeBytes(folder + "/Config.ini", ""));
    for (const char* cue : kCues) testing::writeBytes(folder + "/Sound/" + cue + ".wav", wav());
    std::filesystem::remove(file);
    if (!c.bytes.empty()) testing::writeBytes(file, c.bytes);
    if (c.growTo != 0) std::filesystem::resize_file(file, c.growTo);

    std::vector<SkinProblem> found;
    for (const SkinProblem& p : checkSkin(folder)) {
      if (p.file == file) found.push_back(p);
    }
    // The program, started in the checked folder with a sound output.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    RealFsoundLibrary real;
    testing::RecordingFsound library(&real);
    SoundSystem sound(library);
    const bool opened = sound.Snd_Open(2);
    const bool loaded = library.loadedAs(std::string("Sound/") + kCues[c.cue] + ".wav");
    sound.Snd_Release();
    QDir::setCurrent(previous);

    EXPECT_EQ(loaded, c.loads);
    EXPECT_EQ(opened, c.cue != 0 || c.loads);
    EXPECT_EQ(found.size(), loaded ? 0u : 1u);
    if (found.size() == 1) {
      EXPECT_EQ(found[0].severity, c.cue == 0 ? Severity::Error : Severity::Warning);
      const std::string verdict =
          c.cue == 0
              ? ": with a sound output the program ends (\"Sound folder unproperly installed\")"
              : std::string(": the ") + kCues[c.cue] + " cue stays silent";
      EXPECT_NE(found[0].message.find(verdict), std::string::npos) << found[0].message;
    }
  }
}

}  // namespace
}  // namespace tavro
