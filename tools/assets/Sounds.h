#pragma once
// The five cue sounds, synthesised like a piezo buzzer: square waves with a
// short attack and release so no note clicks. RIFF PCM, 22050 Hz, mono, 16 bit.

#include <QByteArray>
#include <QString>
#include <vector>

namespace tavro::assets {

inline constexpr int kSampleRate = 22050;

struct Tone {
  double hz;  // 0: a rest
  int ms;
};

// Samples of a sequence of tones.
std::vector<qint16> synthesise(const std::vector<Tone>& tones);
QByteArray wavBytes(const std::vector<qint16>& samples);

// Writes Start, Move, Got, Miss and Gameover .wav into soundDir.
void generateSounds(const QString& soundDir);

}  // namespace tavro::assets
