// The five cue sounds: short 22050 Hz mono 16-bit PCM WAV files that are
// audible and start and end without a click.

#include <gtest/gtest.h>

#include <QFile>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "DistFolder.h"

namespace tavro::assets_test {
namespace {

struct Wav {
  int format = 0, channels = 0, rate = 0, bits = 0;
  std::vector<int16_t> samples;
};

uint32_t le32(const QByteArray& b, qsizetype at) {
  return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 |
         uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}
int le16(const QByteArray& b, qsizetype at) {
  return uint8_t(b[at]) | uint8_t(b[at + 1]) << 8;
}

// Walks the RIFF chunks; fails the test on a malformed file.
Wav parse(const QByteArray& b) {
  Wav wav;
  EXPECT_GE(b.size(), 44);
  if (b.size() < 12) return wav;
  EXPECT_EQ(b.left(4), "RIFF");
  EXPECT_EQ(b.mid(8, 4), "WAVE");
  EXPECT_EQ(le32(b, 4), uint32_t(b.size() - 8));
  qsizetype at = 12;
  while (at + 8 <= b.size()) {
    const QByteArray id = b.mid(at, 4);
    const uint32_t size = le32(b, at + 4);
    EXPECT_LE(at + 8 + qsizetype(size), b.size()) << "chunk " << id.toStdString();
    if (at + 8 + qsizetype(size) > b.size()) break;
    if (id == "fmt ") {
      wav.format = le16(b, at + 8);
      wav.channels = le16(b, at + 10);
      wav.rate = int(le32(b, at + 12));
      wav.bits = le16(b, at + 22);
    } else if (id == "data") {
      for (uint32_t i = 0; i + 1 < size; i += 2)
        wav.samples.push_back(int16_t(le16(b, at + 8 + i)));
    }
    at += 8 + size + (size & 1);
  }
  return wav;
}

class SoundFiles : public testing::TestWithParam<const char*> {};

TEST_P(SoundFiles, IsShortAudiblePcmWithoutClicks) {
  QFile file(QString::fromStdString(hostPath(distFolder() + "/Sound/" + GetParam())));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << GetParam();
  const Wav wav = parse(file.readAll());
  EXPECT_EQ(wav.format, 1);
  EXPECT_EQ(wav.channels, 1);
  EXPECT_EQ(wav.rate, 22050);
  EXPECT_EQ(wav.bits, 16);
  ASSERT_FALSE(wav.samples.empty());
  EXPECT_LT(wav.samples.size(), 22050u) << "under one second";
  int peak = 0;
  for (int16_t s : wav.samples) peak = std::max(peak, std::abs(int(s)));
  EXPECT_GT(peak, 4000) << "audible";
  EXPECT_LT(peak, 32767) << "not clipped";
  EXPECT_LT(std::abs(int(wav.samples.front())), 2000) << "soft start";
  EXPECT_LT(std::abs(int(wav.samples.back())), 2000) << "soft end";
}

INSTANTIATE_TEST_SUITE_P(Cues, SoundFiles,
                         testing::Values("Gameover.wav", "Got.wav", "Miss.wav", "Move.wav",
                                         "Start.wav"));

}  // namespace
}  // namespace tavro::assets_test
