// The FSOUND functions over SDL2_mixer.
//
// FSOUND_Init only records the mix rate and the channel count; the audio
// device is opened by FSOUND_SetOutput, which comes after it, or by the first
// sample load when no output was set. The output type picks the SDL driver
// unless SDL_AUDIODRIVER is set in the environment. A device that cannot be
// opened falls back to the default driver and then to SDL's silent "dummy"
// driver, so samples still load and cues are dropped quietly.

#include "Fsound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <unordered_set>

struct FSOUND_SAMPLE {
  Mix_Chunk* chunk = nullptr;  // null when no mixer could be opened: a silent sample
};

namespace {

// 512 frames at 22050 Hz: about 23 ms from a cue request to the speaker.
constexpr int kMixBufferFrames = 512;

struct LibraryState {
  bool initialised = false;
  bool audioSubsystem = false;
  bool mixerOpen = false;
  int mixRate = 22050;
  int channels = 64;
  int outputType = 0;  // 0: not chosen yet
  std::unordered_set<FSOUND_SAMPLE*> samples;
};

LibraryState& state() {
  static LibraryState s;
  return s;
}

const char* driverFor(int outputType) {
#if defined(_WIN32)
  return outputType == FSOUND_OUTPUT_WINMM ? "winmm" : "directsound";
#else
  return outputType == FSOUND_OUTPUT_WINMM ? "alsa" : nullptr;  // nullptr: SDL's first choice
#endif
}

bool startAudio(const char* driver, SDL_HintPriority priority) {
  if (driver != nullptr) {
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver, priority);
  } else {
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  }
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    return false;
  }
  if (Mix_OpenAudio(state().mixRate, AUDIO_S16SYS, 2, kMixBufferFrames) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  return true;
}

// Opens the mixer once per init. A driver that fails gives way to the default
// one, and that to the silent dummy driver.
void openDevice() {
  LibraryState& s = state();
  if (!s.initialised || s.mixerOpen) {
    return;
  }
  const char* forced = SDL_getenv("SDL_AUDIODRIVER");
  bool open = false;
  if (forced != nullptr && *forced != '\0') {
    open = startAudio(forced, SDL_HINT_NORMAL);
  } else {
    open = startAudio(driverFor(s.outputType), SDL_HINT_NORMAL);
    if (!open && driverFor(s.outputType) != nullptr) {
      open = startAudio(nullptr, SDL_HINT_NORMAL);
    }
  }
  if (!open) {
    open = startAudio("dummy", SDL_HINT_OVERRIDE);
  }
  SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  if (!open) {
    return;
  }
  s.audioSubsystem = true;
  s.mixerOpen = true;
  Mix_AllocateChannels(s.channels);
}

// Without a mixer a sample is still loaded as far as the file is concerned: a
// readable WAV gives a silent handle, a missing or broken file gives null.
FSOUND_SAMPLE* loadSilent(const char* name) {
  SDL_AudioSpec format;
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV(name, &format, &buffer, &length) == nullptr) {
    return nullptr;
  }
  SDL_FreeWAV(buffer);
  return new FSOUND_SAMPLE{};
}

void releaseSample(FSOUND_SAMPLE* sample) {
  if (sample->chunk != nullptr) {
    Mix_FreeChunk(sample->chunk);  // also stops the channels that play it
  }
  delete sample;
}

}  // namespace

extern "C" {

bool FSOUND_Init(int mixrate, int maxsoftwarechannels, unsigned int /*flags*/) {
  LibraryState& s = state();
  if (s.initialised) {
    return false;
  }
  s.initialised = true;
  s.mixRate = mixrate > 0 ? mixrate : 22050;
  s.channels = maxsoftwarechannels > 0 ? maxsoftwarechannels : 64;
  return true;
}

bool FSOUND_SetOutput(int outputtype) {
  LibraryState& s = state();
  if (outputtype != FSOUND_OUTPUT_WINMM && outputtype != FSOUND_OUTPUT_DSOUND) {
    return false;
  }
  if (s.mixerOpen) {
    return false;  // the output is chosen once per init
  }
  s.outputType = outputtype;
  openDevice();
  return s.mixerOpen || !s.initialised;
}

FSOUND_SAMPLE* FSOUND_Sample_Load(int /*index*/, const char* name, unsigned int /*mode*/,
                                  int /*offset*/, int /*length*/) {
  LibraryState& s = state();
  if (name == nullptr || !s.initialised) {
    return nullptr;
  }
  openDevice();
  FSOUND_SAMPLE* sample = nullptr;
  if (s.mixerOpen) {
    Mix_Chunk* chunk = Mix_LoadWAV(name);
    if (chunk == nullptr) {
      return nullptr;
    }
    sample = new FSOUND_SAMPLE{chunk};
  } else {
    sample = loadSilent(name);
    if (sample == nullptr) {
      return nullptr;
    }
  }
  s.samples.insert(sample);
  return sample;
}

int FSOUND_PlaySound(int channel, FSOUND_SAMPLE* sample) {
  LibraryState& s = state();
  if (sample == nullptr || !s.mixerOpen || s.samples.count(sample) == 0 ||
      sample->chunk == nullptr) {
    return -1;
  }
  if (channel < -1 || channel >= s.channels) {
    return -1;
  }
  return Mix_PlayChannel(channel, sample->chunk, 0);
}

void FSOUND_Sample_Free(FSOUND_SAMPLE* sample) {
  LibraryState& s = state();
  if (sample == nullptr || s.samples.erase(sample) == 0) {
    return;  // null, already freed, or freed by FSOUND_Close
  }
  releaseSample(sample);
}

void FSOUND_Close() {
  LibraryState& s = state();
  for (FSOUND_SAMPLE* sample : s.samples) {
    releaseSample(sample);
  }
  s.samples.clear();
  if (s.mixerOpen) {
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
  }
  if (s.audioSubsystem) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  s = LibraryState{};
}

}  // extern "C"
