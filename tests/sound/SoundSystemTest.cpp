// The calls SoundSystem makes into the sound library, checked with a
// recording library.

#include <gtest/gtest.h>

#include "RecordingFsound.h"
#include "sound/SoundSystem.h"

namespace tavro {
namespace {

using testing::RecordingFsound;

const std::vector<std::string> kOpenCalls(int type) {
  return {
      "Init(22050,64,0)",
      "SetOutput(" + std::to_string(type) + ")",
      "Sample_Load(-1,Sound/Gameover.wav,8192,0,0)",
      "Sample_Load(-1,Sound/Got.wav,8192,0,0)",
      "Sample_Load(-1,Sound/Miss.wav,8192,0,0)",
      "Sample_Load(-1,Sound/Move.wav,8192,0,0)",
      "Sample_Load(-1,Sound/Start.wav,8192,0,0)",
  };
}

class SoundOutputChoice : public ::testing::TestWithParam<int> {};

TEST_P(SoundOutputChoice, OpensPlaysAndReleasesInTheFixedOrder) {
  RecordingFsound library;
  SoundSystem sound(library);
  sound.sound_on = true;
  ASSERT_TRUE(sound.Snd_Open(GetParam()));
  EXPECT_EQ(library.calls, kOpenCalls(GetParam()));

  // Loads #0..#4 are Gameover, Got, Miss, Move, Start.
  library.calls.clear();
  sound.play(Cue::Start);
  sound.play(Cue::Move);
  sound.play(Cue::Got);
  sound.play(Cue::Miss);
  sound.play(Cue::Gameover);
  sound.play(Cue::Move);  // a second cue while one sounds: nothing is stopped first
  EXPECT_EQ(library.calls,
            (std::vector<std::string>{"PlaySound(-1,#4)", "PlaySound(-1,#3)", "PlaySound(-1,#1)",
                                      "PlaySound(-1,#2)", "PlaySound(-1,#0)", "PlaySound(-1,#3)"}));

  library.calls.clear();
  sound.Snd_Release();
  EXPECT_EQ(library.calls,
            (std::vector<std::string>{"Sample_Free(#0)", "Sample_Free(#1)", "Sample_Free(#2)",
                                      "Sample_Free(#3)", "Sample_Free(#4)", "Close()"}));
}

INSTANTIATE_TEST_SUITE_P(DirectSoundAndMultimedia, SoundOutputChoice, ::testing::Values(2, 1));

TEST(SoundSystem, NoSoundTouchesTheLibraryOnlyForTheHarmlessRelease) {
  RecordingFsound library;
  SoundSystem sound(library);
  for (Cue cue : {Cue::Start, Cue::Move, Cue::Got, Cue::Miss, Cue::Gameover}) {
    sound.play(cue);
  }
  EXPECT_TRUE(library.calls.empty());
  sound.Snd_Release();
  EXPECT_EQ(library.calls,
            (std::vector<std::string>{"Sample_Free(null)", "Sample_Free(null)", "Sample_Free(null)",
                                      "Sample_Free(null)", "Sample_Free(null)", "Close()"}));
}

TEST(SoundSystem, CuesAreDroppedWhileSoundIsOff) {
  RecordingFsound library;
  SoundSystem sound(library);
  ASSERT_TRUE(sound.Snd_Open(2));
  library.calls.clear();
  sound.play(Cue::Got);
  EXPECT_TRUE(library.calls.empty());
  sound.sound_on = true;
  sound.play(Cue::Got);
  EXPECT_EQ(library.calls, std::vector<std::string>{"PlaySound(-1,#1)"});
}

TEST(SoundSystem, OnlyAMissingGameoverSampleFailsTheOpening) {
  RecordingFsound without_gameover;
  without_gameover.missing = {"Sound/Gameover.wav"};
  SoundSystem broken(without_gameover);
  EXPECT_FALSE(broken.Snd_Open(2));
  EXPECT_EQ(without_gameover.calls, kOpenCalls(2));  // all five loads are still tried

  RecordingFsound without_others;
  without_others.missing = {"Sound/Got.wav", "Sound/Miss.wav", "Sound/Move.wav", "Sound/Start.wav"};
  SoundSystem partial(without_others);
  EXPECT_TRUE(partial.Snd_Open(1));
  partial.sound_on = true;
  without_others.calls.clear();
  partial.play(Cue::Got);  // the null handle goes to the library, which ignores it
  EXPECT_EQ(without_others.calls, std::vector<std::string>{"PlaySound(-1,null)"});
}

TEST(SoundSystem, ReleasingTwiceHandsOnlyNullsTheSecondTime) {
  RecordingFsound library;
  SoundSystem sound(library);
  ASSERT_TRUE(sound.Snd_Open(2));
  sound.Snd_Release();
  library.calls.clear();
  sound.Snd_Release();
  EXPECT_EQ(library.calls.front(), "Sample_Free(null)");
  EXPECT_EQ(library.calls.back(), "Close()");
}

TEST(SoundSystem, SamplesStillLoadedAreReleasedWhenTheSystemGoesAway) {
  RecordingFsound library;
  {
    SoundSystem sound(library);
    ASSERT_TRUE(sound.Snd_Open(2));
    library.calls.clear();
  }
  ASSERT_EQ(library.calls.size(), 6u);
  EXPECT_EQ(library.calls.back(), "Close()");

  // Released already, or never opened: nothing more reaches the library.
  library.calls.clear();
  {
    SoundSystem sound(library);
    ASSERT_TRUE(sound.Snd_Open(1));
    sound.Snd_Release();
    library.calls.clear();
  }
  { SoundSystem silent(library); }
  EXPECT_TRUE(library.calls.empty());
}

TEST(FloatingPointControl, MasksEverythingAndRestoresTheSavedWord) {
#if defined(__i386__) || defined(__x86_64__)
  const unsigned int before = floatingPointControlWord();
  maskFloatingPointExceptions();
  // Bit 6 of the x87 word is reserved and always reads back as 1.
  EXPECT_EQ(floatingPointControlWord() & ~0x40u, 0x133Fu);
  maskFloatingPointExceptions();  // a second call keeps the first saved word
  restoreFloatingPointControl();
  EXPECT_EQ(floatingPointControlWord(), before);
#else
  GTEST_SKIP() << "no x87 control word on this machine";
#endif
}

}  // namespace
}  // namespace tavro
