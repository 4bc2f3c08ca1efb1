// The FSOUND functions over SDL2_mixer.
//
// FSOUND_Init only records the mix rate and the channel count; the audio
// device is opened by FSOUND_SetOutput, which comes after it, or by the first
// sample load when no output was set. The output type picks the SDL driver
// unless SDL_AUDIODRIVER is set in the environment. A device that cannot be
// opened falls back to the default driver and then to SDL's silent "dummy"
// driver, so samples still load and cues are dropped quietly.
//
// SDL and SDL2_mixer are opened at run time by the first call that needs them
// (SdlLibrary). Where they cannot be opened, the output behaves as a device
// that cannot be opened: samples of files that can be read load silent.

#include "Fsound.h"

#include <cstdio>
#include <unordered_set>

#include "SdlLibrary.h"

using tavro::MixerFunctions;
using tavro::SdlFunctions;

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

bool startAudio(const SdlFunctions& sdl, const MixerFunctions& mix, const char* driver,
                SDL_HintPriority priority) {
  if (driver != nullptr) {
    sdl.SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver, priority);
  } else {
    sdl.SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  }
  if (sdl.SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    return false;
  }
  if (mix.Mix_OpenAudio(state().mixRate, AUDIO_S16SYS, 2, kMixBufferFrames) != 0) {
    sdl.SDL_QuitSubSystem(SDL_INIT_AUDIO);
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
  const MixerFunctions* mix = tavro::mixerLibrary();
  if (mix == nullptr) {
    return;  // no library: as a device that cannot be opened
  }
  const SdlFunctions& sdl = *tavro::sdlLibrary();
  const char* forced = sdl.SDL_getenv("SDL_AUDIODRIVER");
  bool open = false;
  if (forced != nullptr && *forced != '\0') {
    open = startAudio(sdl, *mix, forced, SDL_HINT_NORMAL);
  } else {
    open = startAudio(sdl, *mix, driverFor(s.outputType), SDL_HINT_NORMAL);
    if (!open && driverFor(s.outputType) != nullptr) {
      open = startAudio(sdl, *mix, nullptr, SDL_HINT_NORMAL);
    }
  }
  if (!open) {
    open = startAudio(sdl, *mix, "dummy", SDL_HINT_OVERRIDE);
  }
  sdl.SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  if (!open) {
    return;
  }
  s.audioSubsystem = true;
  s.mixerOpen = true;
  mix->Mix_AllocateChannels(s.channels);
}

// Without a mixer a sample is still loaded as far as the file is concerned: a
// readable WAV gives a silent handle, a missing or broken file gives null.
// Without SDL to read it, any file that opens counts as readable.
FSOUND_SAMPLE* loadSilent(const char* name) {
  const SdlFunctions* sdl = tavro::sdlLibrary();
  if (sdl == nullptr) {
    std::FILE* file = std::fopen(name, "rb");
    if (file == nullptr) {
      return nullptr;
    }
    std::fclose(file);
    return new FSOUND_SAMPLE{};
  }
  SDL_AudioSpec format;
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  if (sdl->SDL_LoadWAV_RW(sdl->SDL_RWFromFile(name, "rb"), 1, &format, &buffer, &length) ==
      nullptr) {
    return nullptr;
  }
  sdl->SDL_FreeWAV(buffer);
  return new FSOUND_SAMPLE{};
}

void releaseSample(FSOUND_SAMPLE* sample) {
  if (sample->chunk != nullptr) {
    // Only a mixer that opened makes chunks; this also stops the channels that play it.
    tavro::mixerLibrary()->Mix_FreeChunk(sample->chunk);
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
    Mix_Chunk* chunk = tavro::mixerLibrary()->Mix_LoadWAV(name);
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
  return tavro::mixerLibrary()->Mix_PlayChannel(channel, sample->chunk, 0);
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
    tavro::mixerLibrary()->Mix_HaltChannel(-1);
    tavro::mixerLibrary()->Mix_CloseAudio();
  }
  if (s.audioSubsystem) {
    tavro::sdlLibrary()->SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  s = LibraryState{};
}

}  // extern "C"
