#pragma once
// The five cue samples: Snd_Open, Snd_Play, Snd_Release.

#include <cstdint>

#include "device/Ports.h"

struct FSOUND_SAMPLE;

namespace tavro {

class FsoundLibrary;

// The mix rate the output is opened with.
inline constexpr int kCueMixRate = 22050;
// A cue lasts a second or two; 16 MB of WAV is minutes of CD-quality sound.
// A cue file that is no regular file within this size is not handed to the
// library and stays unloaded, as a missing file does.
inline constexpr std::uint64_t kMaxCueFileSize = std::uint64_t{16} << 20;

class SoundSystem : public SoundCues {
 public:
  SoundSystem();                                 // uses the real library
  explicit SoundSystem(FsoundLibrary& library);  // tests hand in a recording one
  // A program that ends without a close request (Exit, Escape) still gives
  // its samples back: anything loaded and not yet released is released here.
  ~SoundSystem() override;
  SoundSystem(const SoundSystem&) = delete;
  SoundSystem& operator=(const SoundSystem&) = delete;

  // Opens the output (1 or 2) and loads Sound/Gameover.wav, Got, Miss, Move,
  // Start (relative to the working directory). Returns false when the
  // Gameover sample did not load (the caller then shows the error box,
  // stores SoundMode -1 and SplashScreen 1, and ends the program).
  bool Snd_Open(int outputType);
  void play(Cue cue) override;  // Snd_Play; nothing while sound_on is false
  void Snd_Release();           // frees the five samples and closes the library

  bool sound_on = false;

 private:
  FSOUND_SAMPLE* handle(Cue cue) const;

  FsoundLibrary& library_;
  FSOUND_SAMPLE* sample_gameover = nullptr;
  FSOUND_SAMPLE* sample_got = nullptr;
  FSOUND_SAMPLE* sample_miss = nullptr;
  FSOUND_SAMPLE* sample_move = nullptr;
  FSOUND_SAMPLE* sample_start = nullptr;
};

// The floating-point control word: saved and set to 0x133F (x87) at start-up,
// restored at the end. A no-op where there is no x87 control word.
void maskFloatingPointExceptions();
void restoreFloatingPointControl();
// The x87 control word as it is now; 0 where there is none.
unsigned int floatingPointControlWord();

}  // namespace tavro
