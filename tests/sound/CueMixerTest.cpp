// The mixer of the sound output: voices sum and clip, end by themselves,
// and stop when their sound goes away; a full mixer drops the request.

#include <gtest/gtest.h>

#include <vector>

#include "sound/CueMixer.h"

namespace tavro {
namespace {

// Mixes `frames` mono frames from `mixer`.
std::vector<int16_t> mixed(CueMixer& mixer, int frames) {
  std::vector<int16_t> out(static_cast<std::size_t>(frames), 12345);
  mixer.mix(out.data(), frames);
  return out;
}

struct SumCase {
  const char* name;
  std::vector<int16_t> a, b;
  std::vector<int16_t> expected;
};

TEST(CueMixer, TwoVoicesSumAndClipAndTheShorterEndsFirst) {
  const SumCase cases[] = {
      {"plain sum", {1000, -2000, 3000}, {500, 500, -500}, {1500, -1500, 2500, 0}},
      {"clipped above", {30000, 20000}, {10000, 20000}, {32767, 32767, 0, 0}},
      {"clipped below", {-30000}, {-10000}, {-32768, 0}},
      {"one voice after the other ends", {100}, {1, 2, 3}, {101, 2, 3, 0}},
  };
  for (const SumCase& c : cases) {
    CueMixer mixer(64, 1);
    ASSERT_EQ(mixer.start(-1, &c.a), 0) << c.name;
    ASSERT_EQ(mixer.start(-1, &c.b), 1) << c.name;  // alongside, not instead
    EXPECT_EQ(mixed(mixer, static_cast<int>(c.expected.size())), c.expected) << c.name;
    EXPECT_EQ(mixer.playing(), 0) << c.name;
  }
}

TEST(CueMixer, SoundsLongerThanOnePassAndStereoFramesKeepTheirPlace) {
  CueSound sound(3000 * 2);
  for (std::size_t i = 0; i < sound.size(); ++i) {
    const int v = static_cast<int>(i);
    sound[i] = static_cast<int16_t>(i % 2 ? -v : v);
  }
  CueMixer mixer(64, 2);
  mixer.start(-1, &sound);
  std::vector<int16_t> out(3100 * 2, 7);
  mixer.mix(out.data(), 3100);
  for (std::size_t i = 0; i < sound.size(); ++i) ASSERT_EQ(out[i], sound[i]) << i;
  for (std::size_t i = sound.size(); i < out.size(); ++i) ASSERT_EQ(out[i], 0) << i;
}

TEST(CueMixer, VoicesAreTakenFreedAndStopped) {
  const CueSound longSound(1000, 10);
  const CueSound other(1000, 1);
  CueMixer mixer(64, 1);
  for (int v = 0; v < 64; ++v) ASSERT_EQ(mixer.start(-1, v % 2 ? &other : &longSound), v);
  EXPECT_EQ(mixer.start(-1, &other), -1);  // all busy: dropped, the 64 go on
  EXPECT_EQ(mixer.playing(), 64);
  EXPECT_EQ(mixed(mixer, 1)[0], 32 * 10 + 32 * 1);

  mixer.stop(&longSound);  // its 32 voices, not the others
  EXPECT_EQ(mixer.playing(), 32);
  EXPECT_EQ(mixed(mixer, 1)[0], 32);
  EXPECT_EQ(mixer.start(-1, &longSound), 0);  // the first free voice

  EXPECT_EQ(mixer.start(5, &longSound), 5);  // a voice by number restarts it with the new sound
  EXPECT_EQ(mixer.playing(), 33);
  EXPECT_EQ(mixer.start(64, &longSound), -1);
  EXPECT_EQ(mixer.start(-2, &longSound), -1);
  EXPECT_EQ(mixer.start(-1, nullptr), -1);

  mixer.stopAll();
  EXPECT_EQ(mixer.playing(), 0);
  EXPECT_EQ(mixed(mixer, 2), (std::vector<int16_t>{0, 0}));
}

TEST(CueMixer, FewerVoicesThanSixtyFourWhenAskedAndAnEmptySoundEndsAtOnce) {
  const CueSound sound(10, 1);
  const CueSound empty;
  CueMixer mixer(2, 1);
  EXPECT_EQ(mixer.start(-1, &sound), 0);
  EXPECT_EQ(mixer.start(-1, &sound), 1);
  EXPECT_EQ(mixer.start(-1, &sound), -1);
  EXPECT_EQ(mixer.start(2, &sound), -1);
  mixer.stopAll();
  EXPECT_EQ(mixer.start(-1, &empty), 0);
  EXPECT_EQ(mixed(mixer, 1)[0], 0);
  EXPECT_EQ(mixer.playing(), 0);
}

}  // namespace
}  // namespace tavro
