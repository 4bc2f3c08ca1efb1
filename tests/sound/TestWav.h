#pragma once
// WAV files made on the spot for the sound tests: 16-bit mono PCM tones, and
// files of any layout, well formed or not.

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

// The parts of a WAV file, to be put together in any order or cut short.
struct WavLayout {
  uint16_t encoding = 1;  // 1 PCM, 3 float, 6 A-law, 7 mu-law
  uint16_t channels = 1;
  uint32_t rate = 22050;
  uint16_t bits = 16;
  std::string data;  // the samples as stored
  bool dataBeforeFormat = false;
  std::size_t cutTo = 0;  // the file's length when not 0
};

inline std::string le(uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

inline std::string wavBytes(const WavLayout& w) {
  const uint32_t frameBytes = w.channels * ((w.bits + 7u) / 8u);
  const std::string format = "fmt " + le(16, 4) + le(w.encoding, 2) + le(w.channels, 2) +
                             le(w.rate, 4) + le(w.rate * frameBytes, 4) + le(frameBytes, 2) +
                             le(w.bits, 2);
  const std::string data = "data" + le(static_cast<uint32_t>(w.data.size()), 4) + w.data;
  const std::string body = w.dataBeforeFormat ? data + format : format + data;
  std::string file = "RIFF" + le(static_cast<uint32_t>(4 + body.size()), 4) + "WAVE" + body;
  if (w.cutTo != 0 && w.cutTo < file.size()) file.resize(w.cutTo);
  return file;
}

inline std::string pcm16(const std::vector<int16_t>& samples) {
  std::string out;
  for (int16_t v : samples) out += le(static_cast<uint16_t>(v), 2);
  return out;
}

inline bool writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace tavro::testing
