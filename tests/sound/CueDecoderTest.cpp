// The cue decoder: what SDL's WAV loader takes becomes 16-bit stereo at the
// output's rate; what it refuses, or what would not fit in memory once
// converted, is no playable cue. Without SDL every file that opens is one.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <string>

#include "TestWav.h"
#include "sound/CueDecoder.h"
#include "sound/SdlLibrary.h"

namespace tavro {
namespace {

using testing::pcm16;
using testing::wavBytes;
using testing::WavLayout;

struct Case {
  const char* name;
  std::string bytes;
  bool playable;
  std::size_t frames;        // after conversion to 22050 Hz
  int16_t firstLeft = 0;     // the first converted sample, when there is one
  const char* problem = "";  // a part of the reason, when not playable
};

WavLayout layout(uint16_t encoding, uint16_t bits, std::string data, uint16_t channels = 1) {
  WavLayout w;
  w.encoding = encoding;
  w.bits = bits;
  w.channels = channels;
  w.data = std::move(data);
  return w;
}

std::vector<Case> cases() {
  const std::string hundred16 = pcm16(std::vector<int16_t>(100, 8192));
  WavLayout fast = layout(1, 16, pcm16(std::vector<int16_t>(4410, 8192)));
  fast.rate = 44100;
  WavLayout slow = layout(1, 8, std::string(120 * 100 + 1, '\x80'));
  slow.rate = 100;  // a tiny file that would play for more than two minutes
  WavLayout dataFirst = layout(1, 16, hundred16);
  dataFirst.dataBeforeFormat = true;
  WavLayout cut = layout(1, 16, hundred16);
  cut.cutTo = 44 + 100;  // half the data chunk is there
  WavLayout cutHeader = layout(1, 16, hundred16);
  cutHeader.cutTo = 30;
  return {
      {"16-bit PCM", wavBytes(layout(1, 16, hundred16)), true, 100, 8192},
      {"8-bit PCM", wavBytes(layout(1, 8, std::string(100, '\xa0'))), true, 100, 0x20 << 8},
      {"24-bit PCM", wavBytes(layout(1, 24, std::string(300, '\x10'))), true, 100, 0x1010},
      {"32-bit float", wavBytes(layout(3, 32, std::string(400, '\0'))), true, 100, 0},
      {"mu-law", wavBytes(layout(7, 8, std::string(100, '\xff'))), true, 100, 0},
      {"A-law", wavBytes(layout(6, 8, std::string(100, '\xd5'))), true, 100, 8},
      {"stereo", wavBytes(layout(1, 16, hundred16 + hundred16, 2)), true, 100, 8192},
      {"44100 Hz", wavBytes(fast), true, 2205, 8192},
      {"no samples", wavBytes(layout(1, 16, "")), true, 0},
      {"cut off in its data", wavBytes(cut), true, 50, 8192},
      {"12-bit PCM", wavBytes(layout(1, 12, hundred16)), false, 0, 0, "12-bit"},
      {"format after data", wavBytes(dataFirst), false, 0, 0, "fmt chunk after data"},
      {"cut off in its header", wavBytes(cutHeader), false, 0, 0, "data chunk"},
      {"AIFF", testing::aiffBytes(), false, 0, 0, "RIFF"},
      {"text", "not a sound", false, 0, 0, "RIFF"},
      {"more than two minutes", wavBytes(slow), false, 0, 0, "longer than 120 seconds"},
  };
}

class CueDecoder : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    ASSERT_NE(sdlLibrary(), nullptr) << "SDL is needed for these tests";
  }
  std::string write(const std::string& bytes) {
    const std::string path = (dir_.path() + "/cue.wav").toStdString();
    EXPECT_TRUE(testing::writeBytes(path, bytes));
    return path;
  }
  QTemporaryDir dir_;
};

TEST_F(CueDecoder, DecodesWhatSdlReadsToStereoAtTheOutputRate) {
  for (const Case& c : cases()) {
    const DecodedCue cue = decodeCue(sdlLibrary(), write(c.bytes).c_str(), 22050);
    ASSERT_EQ(cue.playable, c.playable) << c.name << ": " << cue.problem;
    if (!c.playable) {
      EXPECT_NE(cue.problem.find(c.problem), std::string::npos) << c.name << ": " << cue.problem;
      EXPECT_TRUE(cue.sound.empty()) << c.name;
      continue;
    }
    EXPECT_EQ(cue.sound.size() / kCueChannels, c.frames) << c.name;
    if (c.frames > 0) {
      EXPECT_NEAR(cue.sound[0], c.firstLeft, 16) << c.name;  // a resampler ripples a little
      EXPECT_EQ(cue.sound[0], cue.sound[1]) << c.name << ": the same on both sides";
    }
  }
}

TEST_F(CueDecoder, MissingFileIsNoCueWithOrWithoutSdl) {
  const std::string missing = (dir_.path() + "/none.wav").toStdString();
  EXPECT_FALSE(decodeCue(sdlLibrary(), missing.c_str(), 22050).playable);
  EXPECT_FALSE(decodeCue(nullptr, missing.c_str(), 22050).playable);
  EXPECT_FALSE(decodeCue(sdlLibrary(), nullptr, 22050).playable);
}

TEST_F(CueDecoder, WithoutSdlEveryFileThatOpensIsASilentCue) {
  const DecodedCue cue = decodeCue(nullptr, write("not a sound").c_str(), 22050);
  EXPECT_TRUE(cue.playable);
  EXPECT_TRUE(cue.sound.empty());
}

}  // namespace
}  // namespace tavro
