// The FSOUND functions over SDL's audio output.
//
// FSOUND_Init only records the mix rate and the channel count; the audio
// device is opened by FSOUND_SetOutput, which comes after it, or by the first
// sample load when no output was set. The output type picks the SDL driver
// unless SDL_AUDIODRIVER is set in the environment. A device that cannot be
// opened falls back to the default driver and then to SDL's silent "dummy"
// driver, so samples still load and cues are dropped quietly.
//
// A sample is decoded (CueDecoder) and converted to the output's format once,
// when it is loaded; SDL's audio thread mixes the sounding voices (CueMixer)
// in its callback, under the device's lock, which every other touch of the
// voices takes too.
//
// SDL is opened at run time by the first call that needs it (SdlLibrary).
// Where it cannot be opened, the output behaves as a device that cannot be
// opened: samples of files that can be read load silent.

#include "Fsound.h"

#include <unordered_set>

#include "CueDecoder.h"
#include "CueMixer.h"
#include "SdlLibrary.h"

using tavro::CueMixer;
using tavro::CueSound;
using tavro::SdlFunctions;

struct FSOUND_SAMPLE {
  CueSound sound;  // empty when no output is open: a silent sample
};

namespace {

// 512 frames at 22050 Hz: about 23 ms from a cue request to the speaker.
constexpr int kMixBufferFrames = 512;

struct LibraryState {
  bool initialised = false;
  SDL_AudioDeviceID device = 0;  // 0: no output open
  int mixRate = 22050;
  int channels = 64;
  int outputType = 0;  // 0: not chosen yet
  CueMixer mixer;
  std::unordered_set<FSOUND_SAMPLE*> samples;
};

LibraryState& state() {
  static LibraryState s;
  return s;
}

// SDL's audio thread asks for the next buffer; SDL holds the device's lock.
void fillBuffer(void* mixer, Uint8* stream, int bytes) {
  CueMixer& m = *static_cast<CueMixer*>(mixer);
  m.mix(reinterpret_cast<int16_t*>(stream),
        bytes / static_cast<int>(sizeof(int16_t)) / m.channels());
}

const char* driverFor(int outputType) {
#if defined(_WIN32)
  return outputType == FSOUND_OUTPUT_WINMM ? "winmm" : "directsound";
#else
  return outputType == FSOUND_OUTPUT_WINMM ? "alsa" : nullptr;  // nullptr: SDL's first choice
#endif
}

// Starts SDL's audio with one driver (null: SDL's first that works) and
// opens the device. SDL's audio alone, without its event subsystem, which the
// output does not need.
bool startAudio(const SdlFunctions& sdl, const char* driver) {
  LibraryState& s = state();
  if (sdl.SDL_AudioInit(driver) != 0) {
    return false;
  }
  SDL_AudioSpec wanted{};
  wanted.freq = s.mixRate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = tavro::kCueChannels;
  wanted.samples = kMixBufferFrames;
  wanted.callback = fillBuffer;
  wanted.userdata = &s.mixer;
  SDL_AudioSpec obtained{};
  // No changes allowed: SDL converts to whatever the hardware takes, so the
  // mixer's format is the one asked for and the samples fit it as loaded.
  s.device = sdl.SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
  if (s.device == 0) {
    sdl.SDL_AudioQuit();
    return false;
  }
  return true;
}

// Opens the output once per init. A driver that fails gives way to the
// default one, and that to the silent dummy driver.
void openDevice() {
  LibraryState& s = state();
  if (!s.initialised || s.device != 0) {
    return;
  }
  const SdlFunctions* sdl = tavro::sdlLibrary();
  if (sdl == nullptr) {
    return;  // no library: as a device that cannot be opened
  }
  s.mixer = CueMixer(s.channels, tavro::kCueChannels);
  const char* forced = sdl->SDL_getenv("SDL_AUDIODRIVER");
  bool open = false;
  if (forced != nullptr && *forced != '\0') {
    open = startAudio(*sdl, forced);
  } else {
    open = startAudio(*sdl, driverFor(s.outputType));
    if (!open && driverFor(s.outputType) != nullptr) {
      open = startAudio(*sdl, nullptr);
    }
  }
  if (!open && !startAudio(*sdl, "dummy")) {
    return;
  }
  sdl->SDL_PauseAudioDevice(s.device, 0);
}

// The voices are touched only under the device's lock (SDL's audio thread
// mixes them).
class VoiceLock {
 public:
  VoiceLock() : device_(state().device) {
    if (device_ != 0) tavro::sdlLibrary()->SDL_LockAudioDevice(device_);
  }
  ~VoiceLock() {
    if (device_ != 0) tavro::sdlLibrary()->SDL_UnlockAudioDevice(device_);
  }
  VoiceLock(const VoiceLock&) = delete;
  VoiceLock& operator=(const VoiceLock&) = delete;

 private:
  SDL_AudioDeviceID device_;
};

void releaseSample(FSOUND_SAMPLE* sample) {
  {
    VoiceLock lock;
    state().mixer.stop(&sample->sound);  // its voices stop before the sound goes away
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
  s.channels = maxsoftwarechannels > 0 && maxsoftwarechannels <= CueMixer::kMaxVoices
                   ? maxsoftwarechannels
                   : CueMixer::kMaxVoices;
  return true;
}

bool FSOUND_SetOutput(int outputtype) {
  LibraryState& s = state();
  if (outputtype != FSOUND_OUTPUT_WINMM && outputtype != FSOUND_OUTPUT_DSOUND) {
    return false;
  }
  if (s.device != 0) {
    return false;  // the output is chosen once per init
  }
  s.outputType = outputtype;
  openDevice();
  return s.device != 0 || !s.initialised;
}

FSOUND_SAMPLE* FSOUND_Sample_Load(int /*index*/, const char* name, unsigned int /*mode*/,
                                  int /*offset*/, int /*length*/) {
  LibraryState& s = state();
  if (name == nullptr || !s.initialised) {
    return nullptr;
  }
  openDevice();
  tavro::DecodedCue cue = tavro::decodeCue(tavro::sdlLibrary(), name, s.mixRate);
  if (!cue.playable) {
    return nullptr;
  }
  auto* sample = new FSOUND_SAMPLE{};
  if (s.device != 0) {
    sample->sound = std::move(cue.sound);  // without an output nothing is kept
  }
  s.samples.insert(sample);
  return sample;
}

int FSOUND_PlaySound(int channel, FSOUND_SAMPLE* sample) {
  LibraryState& s = state();
  if (sample == nullptr || s.device == 0 || s.samples.count(sample) == 0) {
    return -1;
  }
  VoiceLock lock;
  return s.mixer.start(channel, &sample->sound);
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
  if (s.device != 0) {
    // Waits for the audio thread: no voice is mixed after this.
    tavro::sdlLibrary()->SDL_CloseAudioDevice(s.device);
    tavro::sdlLibrary()->SDL_AudioQuit();
    s.device = 0;
  }
  for (FSOUND_SAMPLE* sample : s.samples) {
    delete sample;
  }
  s = LibraryState{};
}

}  // extern "C"

namespace tavro {

int fsoundOutputRate() {
  return state().device != 0 ? state().mixRate : 0;
}

int fsoundVoicesPlaying() {
  VoiceLock lock;
  return state().mixer.playing();
}

void fsoundStopVoices() {
  VoiceLock lock;
  state().mixer.stopAll();
}

}  // namespace tavro
