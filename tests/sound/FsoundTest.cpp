// The FSOUND layer over SDL's audio output, with SDL's dummy and disk drivers.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "RecordingFsound.h"
#include "TestWav.h"
#include "sound/CueDecoder.h"
#include "sound/Fsound.h"
#include "sound/FsoundLibrary.h"
#include "sound/SoundSystem.h"

namespace tavro {
namespace {

using testing::RecordingFsound;
using testing::writeToneWav;

// Sets an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) {
      old_ = old;
      had_ = true;
    }
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (had_) {
      setenv(name_, old_.c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

class Fsound : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    previous_ = QDir::currentPath();
    ASSERT_TRUE(QDir(dir_.path()).mkpath("Sound"));
  }
  void TearDown() override {
    FSOUND_Close();
    QDir::setCurrent(previous_);
  }
  std::string path(const char* name) const { return (dir_.path() + "/" + name).toStdString(); }
  // The five cue files in <dir>/Sound, except `skip`.
  void writeCueFiles(const std::string& skip = "") {
    const char* names[] = {"Gameover", "Got", "Miss", "Move", "Start"};
    double hz = 300;
    for (const char* n : names) {
      if (skip != n) {
        ASSERT_TRUE(writeToneWav(path("Sound/") + n + ".wav", hz, 80));
      }
      hz += 150;
    }
    QDir::setCurrent(dir_.path());
  }

  QTemporaryDir dir_;
  QString previous_;
};

TEST_F(Fsound, NullHandlesAndCloseWithoutInitAreHarmless) {
  FSOUND_Close();
  FSOUND_Sample_Free(nullptr);
  EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, nullptr), -1);
  EXPECT_EQ(FSOUND_Sample_Load(FSOUND_FREE, "Sound/Got.wav", FSOUND_2D, 0, 0), nullptr);

  ASSERT_TRUE(FSOUND_Init(22050, 64, 0));
  FSOUND_SetOutput(FSOUND_OUTPUT_DSOUND);
  EXPECT_EQ(FSOUND_Sample_Load(FSOUND_FREE, path("none.wav").c_str(), FSOUND_2D, 0, 0), nullptr);
  EXPECT_EQ(FSOUND_Sample_Load(FSOUND_FREE, nullptr, FSOUND_2D, 0, 0), nullptr);
  EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, nullptr), -1);
  FSOUND_Close();
  FSOUND_Close();
}

TEST_F(Fsound, BrokenWavFileGivesNoSample) {
  std::ofstream(path("Sound/Got.wav")) << "RIFF\x10garbage that is no wave file";
  ASSERT_TRUE(FSOUND_Init(22050, 64, 0));
  FSOUND_SetOutput(FSOUND_OUTPUT_WINMM);
  EXPECT_EQ(FSOUND_Sample_Load(FSOUND_FREE, path("Sound/Got.wav").c_str(), FSOUND_2D, 0, 0),
            nullptr);
}

TEST_F(Fsound, OutputThatCannotOpenStillLoadsSamplesAndStaysQuiet) {
  ASSERT_TRUE(writeToneWav(path("a.wav"), 440, 50));
  ScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
  ASSERT_TRUE(FSOUND_Init(22050, 64, 0));
  FSOUND_SetOutput(FSOUND_OUTPUT_WINMM);
  FSOUND_SAMPLE* sample = FSOUND_Sample_Load(FSOUND_FREE, path("a.wav").c_str(), FSOUND_2D, 0, 0);
  EXPECT_NE(sample, nullptr);  // a broken output is no broken Sound folder
  EXPECT_GE(FSOUND_PlaySound(FSOUND_FREE, sample), -1);
  FSOUND_Sample_Free(sample);
}

TEST_F(Fsound, SixtyFourCuesSoundTogetherAndNoneIsCutOff) {
  ASSERT_TRUE(writeToneWav(path("long.wav"), 440, 2000));
  ASSERT_TRUE(FSOUND_Init(22050, 64, 0));
  FSOUND_SetOutput(FSOUND_OUTPUT_DSOUND);
  FSOUND_SAMPLE* sample =
      FSOUND_Sample_Load(FSOUND_FREE, path("long.wav").c_str(), FSOUND_2D, 0, 0);
  ASSERT_NE(sample, nullptr);

  std::vector<int> channels;
  for (int i = 0; i < 64; ++i) {
    channels.push_back(FSOUND_PlaySound(FSOUND_FREE, sample));
    ASSERT_GE(channels.back(), 0) << "cue " << i;
  }
  EXPECT_EQ(fsoundVoicesPlaying(), 64);
  // The 65th finds no free channel and is dropped; the 64 sounding go on.
  EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, sample), -1);
  EXPECT_EQ(fsoundVoicesPlaying(), 64);

  FSOUND_Sample_Free(sample);  // stops its channels and frees it
  EXPECT_EQ(fsoundVoicesPlaying(), 0);
  FSOUND_Sample_Free(sample);  // already freed: ignored
  EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, sample), -1);
}

TEST_F(Fsound, SamplesLeftAtCloseAreFreedByIt) {
  ASSERT_TRUE(writeToneWav(path("a.wav"), 440, 50));
  ASSERT_TRUE(FSOUND_Init(22050, 64, 0));
  FSOUND_SAMPLE* sample = FSOUND_Sample_Load(FSOUND_FREE, path("a.wav").c_str(), FSOUND_2D, 0, 0);
  ASSERT_NE(sample, nullptr);  // loading opens the default output when none was set
  FSOUND_Close();
  FSOUND_Sample_Free(sample);  // after close: ignored, no double free
  EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, sample), -1);
}

TEST_F(Fsound, MissingGotSilencesOnlyGot) {
  writeCueFiles("Got");
  RealFsoundLibrary real;
  RecordingFsound library(&real);
  SoundSystem sound(library);
  sound.sound_on = true;
  ASSERT_TRUE(sound.Snd_Open(2));
  for (Cue cue : {Cue::Start, Cue::Move, Cue::Got, Cue::Miss, Cue::Gameover}) {
    sound.play(cue);
  }
  ASSERT_EQ(library.playResults.size(), 5u);
  EXPECT_GE(library.playResults[0], 0);   // Start
  EXPECT_GE(library.playResults[1], 0);   // Move
  EXPECT_EQ(library.playResults[2], -1);  // Got: null handle, ignored
  EXPECT_GE(library.playResults[3], 0);   // Miss
  EXPECT_GE(library.playResults[4], 0);   // Gameover
  sound.Snd_Release();
}

TEST_F(Fsound, MissingGameoverFailsTheOpening) {
  writeCueFiles("Gameover");
  SoundSystem sound;
  EXPECT_FALSE(sound.Snd_Open(1));
  sound.Snd_Release();
}

TEST_F(Fsound, MissingSoundFolderFailsTheOpening) {
  ASSERT_TRUE(QDir(dir_.path()).mkpath("elsewhere"));
  QDir::setCurrent(dir_.path() + "/elsewhere");  // no Sound folder there
  SoundSystem sound;
  EXPECT_FALSE(sound.Snd_Open(2));
  sound.Snd_Release();
}

// Power of one frequency in a mono signal (Goertzel), per sample.
double tonePower(const std::vector<double>& x, double hz, int rate) {
  const double w = 2.0 * M_PI * hz / rate;
  const double c = 2.0 * std::cos(w);
  double s1 = 0, s2 = 0;
  for (double v : x) {
    const double s0 = v + c * s1 - s2;
    s2 = s1;
    s1 = s0;
  }
  const double power = s1 * s1 + s2 * s2 - c * s1 * s2;
  return power / (static_cast<double>(x.size()) * x.size());
}

// Plays the given tones at once through the disk driver and returns the
// mixed output (left channel, -1..1) with its rate. With `freeAfterMs` the
// samples are freed that long after they were started, while they sound.
std::vector<double> mixThroughDisk(const std::string& out, const std::vector<std::string>& files,
                                   int& rate, int freeAfterMs = -1) {
  ScopedEnv driver("SDL_AUDIODRIVER", "disk");
  ScopedEnv file("SDL_DISKAUDIOFILE", out);
  EXPECT_TRUE(FSOUND_Init(22050, 64, 0));
  FSOUND_SetOutput(FSOUND_OUTPUT_DSOUND);
  rate = fsoundOutputRate();
  EXPECT_EQ(rate, 22050);
  const int channels = kCueChannels;  // 16-bit samples, as the output was opened
  std::vector<FSOUND_SAMPLE*> samples;
  for (const std::string& f : files) {
    samples.push_back(FSOUND_Sample_Load(FSOUND_FREE, f.c_str(), FSOUND_2D, 0, 0));
    EXPECT_NE(samples.back(), nullptr);
  }
  for (FSOUND_SAMPLE* s : samples) {
    EXPECT_GE(FSOUND_PlaySound(FSOUND_FREE, s), 0);
  }
  // The disk driver writes at about real-time pace: give the tones time to pass.
  if (freeAfterMs >= 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(freeAfterMs));
    for (FSOUND_SAMPLE* s : samples) FSOUND_Sample_Free(s);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(450 - std::max(freeAfterMs, 0)));
  FSOUND_Close();

  std::ifstream in(out, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
  std::vector<double> left;
  const size_t frameBytes = 2 * static_cast<size_t>(channels);
  for (size_t i = 0; i + frameBytes <= bytes.size(); i += frameBytes) {
    int16_t v;
    std::memcpy(&v, &bytes[i], 2);
    left.push_back(v / 32768.0);
  }
  return left;
}

std::vector<double> loudPart(const std::vector<double>& x) {
  std::vector<double> out;
  for (double v : x) {
    if (!out.empty() || std::fabs(v) > 0.01) {
      out.push_back(v);
    }
  }
  while (!out.empty() && std::fabs(out.back()) < 0.01) {
    out.pop_back();
  }
  return out;
}

TEST_F(Fsound, PlayedCueIsReallyMixed) {
  ASSERT_TRUE(writeToneWav(path("a.wav"), 440, 150));
  int rate = 0;
  const auto mixed = loudPart(mixThroughDisk(path("out.raw"), {path("a.wav")}, rate));
  ASSERT_GT(mixed.size(), static_cast<size_t>(rate / 10)) << "the cue did not reach the output";
  const double a = tonePower(mixed, 440, rate);
  EXPECT_GT(a, 100 * tonePower(mixed, 1000, rate));
  EXPECT_GT(a, 100 * tonePower(mixed, 2500, rate));
}

TEST_F(Fsound, OverlappingCuesBothSound) {
  ASSERT_TRUE(writeToneWav(path("a.wav"), 440, 150));
  ASSERT_TRUE(writeToneWav(path("b.wav"), 1000, 150));
  int rate = 0;
  const auto mixed =
      loudPart(mixThroughDisk(path("out.raw"), {path("a.wav"), path("b.wav")}, rate));
  ASSERT_GT(mixed.size(), static_cast<size_t>(rate / 10));
  const double noise = tonePower(mixed, 2500, rate);
  EXPECT_GT(tonePower(mixed, 440, rate), 100 * noise);
  EXPECT_GT(tonePower(mixed, 1000, rate), 100 * noise);
}

// A WAV holding one level for `ms` milliseconds (-1..1).
std::string levelWav(const std::string& path, double level, int ms) {
  testing::WavLayout w;
  w.data = testing::pcm16(std::vector<int16_t>(static_cast<std::size_t>(22050 * ms / 1000),
                                               static_cast<int16_t>(level * 32767)));
  EXPECT_TRUE(testing::writeBytes(path, testing::wavBytes(w)));
  return path;
}

TEST_F(Fsound, CuesSoundingTogetherAddUpAndClipWithoutWrappingAround) {
  struct Case {
    double level;
    double loudest;  // of the mixed output
  } cases[] = {{0.25, 0.5}, {0.7, 32767 / 32768.0}, {-0.7, -1.0}};
  for (const Case& c : cases) {
    const std::string a = levelWav(path("level.wav"), c.level, 250);
    int rate = 0;
    const auto mixed = loudPart(mixThroughDisk(path("out.raw"), {a, a}, rate));
    ASSERT_FALSE(mixed.empty()) << c.level;
    const auto [low, high] = std::minmax_element(mixed.begin(), mixed.end());
    const double loudest = c.level > 0 ? *high : *low;
    EXPECT_NEAR(loudest, c.loudest, 0.002) << c.level;
    EXPECT_GE(*low * c.level, 0.0) << c.level << ": no sample of the other sign";
    FSOUND_Close();
  }
}

TEST_F(Fsound, SampleFreedWhileItSoundsStopsItsVoicesAtOnce) {
  ASSERT_TRUE(writeToneWav(path("long.wav"), 440, 1000));
  int rate = 0;
  const auto output = mixThroughDisk(path("out.raw"), {path("long.wav")}, rate, 150);
  const auto mixed = loudPart(output);
  // Sounded until the free, well before the second it lasts, and then not again.
  EXPECT_GT(mixed.size(), static_cast<size_t>(rate / 20));
  EXPECT_LT(mixed.size(), static_cast<size_t>(rate * 4 / 10));
  ASSERT_GT(output.size(), mixed.size() + rate / 20);
  EXPECT_EQ(fsoundVoicesPlaying(), 0);
}

}  // namespace
}  // namespace tavro
