#pragma once
// WAV files made on the spot for the sound tests: 16-bit mono PCM tones.

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace tavro::testing {

inline void putLe(std::ofstream& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
  }
}

// A sine tone of `hz` lasting `ms` at 22050 Hz, amplitude 0..1.
inline bool writeToneWav(const std::string& path, double hz, int ms, double amplitude = 0.4) {
  constexpr int kRate = 22050;
  const int frames = kRate * ms / 1000;
  std::vector<int16_t> pcm(frames);
  for (int i = 0; i < frames; ++i) {
    pcm[i] = static_cast<int16_t>(amplitude * 32767.0 * std::sin(2.0 * M_PI * hz * i / kRate));
  }
  std::ofstream out(path, std::ios::binary);
  if (!out) {
    return false;
  }
  const uint32_t dataBytes = static_cast<uint32_t>(frames * 2);
  out.write("RIFF", 4);
  putLe(out, 36 + dataBytes, 4);
  out.write("WAVEfmt ", 8);
  putLe(out, 16, 4);         // fmt chunk size
  putLe(out, 1, 2);          // PCM
  putLe(out, 1, 2);          // mono
  putLe(out, kRate, 4);      // frames per second
  putLe(out, kRate * 2, 4);  // bytes per second
  putLe(out, 2, 2);          // bytes per frame
  putLe(out, 16, 2);         // bits per sample
  out.write("data", 4);
  putLe(out, dataBytes, 4);
  out.write(reinterpret_cast<const char*>(pcm.data()), dataBytes);
  return static_cast<bool>(out);
}

}  // namespace tavro::testing
