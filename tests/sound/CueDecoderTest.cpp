// The cue decoder turns what SDL's WAV loader reads into 16-bit stereo at the
// output's rate; without SDL every file that opens is a silent cue.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "TestWav.h"
#include "sound/CueDecoder.h"
#include "sound/SdlLibrary.h"

namespace tavro {
namespace {

using testing::WavLayout;

TEST(CueDecoder, ConvertsEveryLayoutToStereoAtTheOutputRate) {
  struct Case {
    const char* name;
    WavLayout wav;
    std::size_t frames;  // at 22050 Hz
    int16_t first;
  } cases[] = {
      {"8-bit", {1, 1, 22050, 8, std::string(100, '\xa0')}, 100, 0x20 << 8},
      {"24-bit", {1, 1, 22050, 24, std::string(300, '\x10')}, 100, 0x1010},
      {"A-law", {6, 1, 22050, 8, std::string(100, '\xd5')}, 100, 8},
      {"stereo", {1, 2, 22050, 16, testing::pcm16(std::vector<int16_t>(200, 900))}, 100, 900},
      {"44100 Hz", {1, 1, 44100, 16, testing::pcm16(std::vector<int16_t>(4410, 8192))}, 2205, 8192},
  };
  QTemporaryDir dir;
  const std::string path = (dir.path() + "/cue.wav").toStdString();
  for (const Case& c : cases) {
    ASSERT_TRUE(testing::writeBytes(path, testing::wavBytes(c.wav)));
    const DecodedCue cue = decodeCue(sdlLibrary(), path.c_str(), 22050);
    ASSERT_TRUE(cue.playable) << c.name << ": " << cue.problem;
    ASSERT_EQ(cue.sound.size(), c.frames * kCueChannels) << c.name;
    EXPECT_NEAR(cue.sound[0], c.first, 16) << c.name;  // a resampler ripples a little
    EXPECT_EQ(cue.sound[0], cue.sound[1]) << c.name;
  }
  // Without SDL: anything that opens.
  ASSERT_TRUE(testing::writeBytes(path, "not a sound"));
  EXPECT_TRUE(decodeCue(nullptr, path.c_str(), 22050).playable);
  EXPECT_FALSE(decodeCue(nullptr, (path + "-none").c_str(), 22050).playable);
}

}  // namespace
}  // namespace tavro
