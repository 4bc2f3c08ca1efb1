#pragma once
// The mixer behind the sound output: up to 64 voices, each playing one cue
// sound once from its start, summed into the output buffer and clipped to
// 16 bits. It knows nothing of the audio device; the output calls mix() from
// its audio callback and holds the device's lock around every other call.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavro {

// A decoded cue: interleaved 16-bit samples in the output's channel layout.
using CueSound = std::vector<int16_t>;

class CueMixer {
 public:
  static constexpr int kMaxVoices = 64;

  CueMixer() : CueMixer(kMaxVoices, 2) {}
  // `voices` is kept within 1..kMaxVoices; `channels` is the output's.
  CueMixer(int voices, int channels);

  // Starts `sound` from its beginning on `voice`, or on the first free voice
  // for -1; a voice given by number stops what it played. Returns the voice,
  // or -1 when there is none free or the number is out of range. Allocates
  // nothing.
  int start(int voice, const CueSound* sound);
  // Stops every voice that plays `sound` (before the sound goes away).
  void stop(const CueSound* sound);
  void stopAll();
  int playing() const;

  // Fills `frames` frames of `out` with the sum of the sounding voices;
  // voices that reach the end of their sound become free.
  void mix(int16_t* out, int frames);

  int channels() const { return channels_; }

 private:
  struct Voice {
    const CueSound* sound = nullptr;  // null: free
    std::size_t at = 0;               // next sample
  };

  static constexpr std::size_t kChunk = 1024;  // samples summed per pass

  int voices_;
  int channels_;
  std::array<Voice, kMaxVoices> voice_{};
  std::array<int32_t, kChunk> sum_{};
};

}  // namespace tavro
