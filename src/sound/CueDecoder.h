#pragma once
// The one rule for whether a cue file is a playable sample: the sound output
// loads a cue with it, and the skin checker judges a cue file with it, so the
// checker's verdict is the program's.

#include <string>

#include "CueMixer.h"

namespace tavro {

struct SdlFunctions;

// The output's layout: every cue is converted to it once, when it is loaded.
inline constexpr int kCueChannels = 2;
// No cue lasts anywhere near this; longer sounds would take too much memory
// once converted (a slow 8-bit file grows elevenfold at 22050 Hz stereo).
inline constexpr int kMaxCueSeconds = 120;

struct DecodedCue {
  bool playable = false;
  std::string problem;  // why not, when not playable
  CueSound sound;       // at the rate asked for; empty without SDL
};

// With SDL, SDL's WAV loader reads the file (PCM of 8, 16, 24 or 32 bits,
// float, MS and IMA ADPCM, A-law, mu-law) and the sound is converted to
// 16-bit samples, kCueChannels channels, at `rate`. Without SDL (`sdl` null)
// every file that opens counts as playable, silent.
DecodedCue decodeCue(const SdlFunctions* sdl, const char* path, int rate);

}  // namespace tavro
