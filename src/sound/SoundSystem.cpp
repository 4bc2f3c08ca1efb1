#include "SoundSystem.h"

#include "Fsound.h"
#include "FsoundLibrary.h"
#include "device/RegularFile.h"

namespace tavro {

namespace {
constexpr int kSoftwareChannels = 64;

// The library opens the file itself. A path that holds something other than
// a regular file (a named pipe would block it, a device would never end) or
// a file far larger than any cue is not handed to it and stays unloaded, as
// a missing file does. A path with nothing there goes to the library, which
// finds it missing.
FSOUND_SAMPLE* loadSample(FsoundLibrary& library, const char* file) {
  const FileStatus status = checkRegularFile(file, kMaxCueFileSize);
  if (status != FileStatus::Ok && status != FileStatus::Absent) {
    return nullptr;
  }
  return library.Sample_Load(FSOUND_FREE, file, FSOUND_2D, 0, 0);
}
}  // namespace

SoundSystem::SoundSystem() : library_(fsoundLibrary()) {}

SoundSystem::SoundSystem(FsoundLibrary& library) : library_(library) {}

bool SoundSystem::Snd_Open(int outputType) {
  library_.Init(kCueMixRate, kSoftwareChannels, 0);
  library_.SetOutput(outputType);
  sample_gameover = loadSample(library_, "Sound/Gameover.wav");
  sample_got = loadSample(library_, "Sound/Got.wav");
  sample_miss = loadSample(library_, "Sound/Miss.wav");
  sample_move = loadSample(library_, "Sound/Move.wav");
  sample_start = loadSample(library_, "Sound/Start.wav");
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
