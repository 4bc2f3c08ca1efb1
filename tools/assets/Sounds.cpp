#include "Sounds.h"

#include <algorithm>
#include <cmath>

#include "ImageIo.h"

namespace tavro::assets {

namespace {

constexpr double kAmplitude = 0.32 * 32767;
constexpr int kRampSamples = kSampleRate * 3 / 1000;  // 3 ms attack and release

void put16(QByteArray& out, int v) {
  out.append(char(v & 0xFF));
  out.append(char((v >> 8) & 0xFF));
}

void put32(QByteArray& out, quint32 v) {
  for (int i = 0; i < 4; ++i) out.append(char((v >> (8 * i)) & 0xFF));
}

}  // namespace

std::vector<qint16> synthesise(const std::vector<Tone>& tones) {
  std::vector<qint16> out;
  for (const Tone& tone : tones) {
    const int n = kSampleRate * tone.ms / 1000;
    double phase = 0;
    for (int i = 0; i < n; ++i) {
      double v = 0;
      if (tone.hz > 0) {
        phase += tone.hz / kSampleRate;
        v = (phase - std::floor(phase)) < 0.5 ? 1.0 : -1.0;
        const int edge = std::min(i, n - 1 - i);
        if (edge < kRampSamples) v *= double(edge) / kRampSamples;
      }
      out.push_back(qint16(std::lround(v * kAmplitude)));
    }
  }
  return out;
}

QByteArray wavBytes(const std::vector<qint16>& samples) {
  const quint32 dataBytes = quint32(samples.size() * 2);
  QByteArray out;
  out.append("RIFF");
  put32(out, 36 + dataBytes);
  out.append("WAVE");
  out.append("fmt ");
  put32(out, 16);
  put16(out, 1);  // PCM
  put16(out, 1);  // mono
  put32(out, kSampleRate);
  put32(out, kSampleRate * 2);
  put16(out, 2);
  put16(out, 16);
  out.append("data");
  put32(out, dataBytes);
  for (qint16 s : samples) put16(out, s);
  return out;
}

void generateSounds(const QString& dir) {
  // note frequencies of the motifs
  const double C5 = 523.25, E5 = 659.25, G5 = 783.99, C6 = 1046.5, E6 = 1318.5, G6 = 1568.0,
               C7 = 2093.0, G4 = 392.0;
  writeFile(dir + "/Start.wav", wavBytes(synthesise({{C6, 55}, {E6, 55}, {G6, 55}, {C7, 110}})));
  writeFile(dir + "/Move.wav", wavBytes(synthesise({{2400, 22}})));
  writeFile(dir + "/Got.wav", wavBytes(synthesise({{1760, 35}, {0, 8}, {2637, 60}})));
  writeFile(dir + "/Miss.wav", wavBytes(synthesise({{196, 130}, {0, 20}, {165, 180}})));
  writeFile(dir + "/Gameover.wav",
            wavBytes(synthesise(
                {{G5, 120}, {0, 25}, {E5, 120}, {0, 25}, {C5, 120}, {0, 25}, {G4, 300}})));
}

}  // namespace tavro::assets
