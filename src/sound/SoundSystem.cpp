#include "SoundSystem.h"

#include "Fsound.h"
#include "FsoundLibrary.h"

namespace tavro {

namespace {
constexpr int kMixRate = 22050;
constexpr int kSoftwareChannels = 64;
}  // namespace

SoundSystem::SoundSystem() : library_(fsoundLibrary()) {}

SoundSystem::SoundSystem(FsoundLibrary& library) : library_(library) {}

bool SoundSystem::Snd_Open(int outputType) {
  library_.Init(kMixRate, kSoftwareChannels, 0);
  library_.SetOutput(outputType);
  sample_gameover = library_.Sample_Load(FSOUND_FREE, "Sound/Gameover.wav", FSOUND_2D, 0, 0);
  sample_got = library_.Sample_Load(FSOUND_FREE, "Sound/Got.wav", FSOUND_2D, 0, 0);
  sample_miss = library_.Sample_Load(FSOUND_FREE, "Sound/Miss.wav", FSOUND_2D, 0, 0);
  sample_move = library_.Sample_Load(FSOUND_FREE, "Sound/Move.wav", FSOUND_2D, 0, 0);
  sample_start = library_.Sample_Load(FSOUND_FREE, "Sound/Start.wav", FSOUND_2D, 0, 0);
  return sample_gameover != nullptr;
}

FSOUND_SAMPLE* SoundSystem::handle(Cue cue) const {
  switch (cue) {
    case Cue::Start:
      return sample_start;
    case Cue::Move:
      return sample_move;
    case Cue::Got:
      return sample_got;
    case Cue::Miss:
      return sample_miss;
    case Cue::Gameover:
      return sample_gameover;
  }
  return nullptr;
}

void SoundSystem::play(Cue cue) {
  if (!sound_on) {
    return;
  }
  // A cue still sounding plays on; the library picks a free channel.
  library_.PlaySound(FSOUND_FREE, handle(cue));
}

SoundSystem::~SoundSystem() {
  if (sample_gameover || sample_got || sample_miss || sample_move || sample_start) {
    Snd_Release();
  }
}

void SoundSystem::Snd_Release() {
  library_.Sample_Free(sample_gameover);
  library_.Sample_Free(sample_got);
  library_.Sample_Free(sample_miss);
  library_.Sample_Free(sample_move);
  library_.Sample_Free(sample_start);
  sample_gameover = sample_got = sample_miss = sample_move = sample_start = nullptr;
  library_.Close();
}

}  // namespace tavro
