// Cost of a cue request: from SoundSystem::play() to the sample sounding on
// a voice of the FSOUND layer's mixer, and the mixer's cost per output buffer.
// Run with SDL_AUDIODRIVER=dummy; the WAV files are made in a temporary
// folder.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "sound/CueMixer.h"
#include "sound/Fsound.h"
#include "sound/SoundSystem.h"

namespace {

void writeTone(const std::string& path, double hz, int ms) {
  constexpr int kRate = 22050;
  const int frames = kRate * ms / 1000;
  std::ofstream out(path, std::ios::binary);
  auto le = [&out](uint32_t v, int n) {
    for (int i = 0; i < n; ++i) out.put(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  out.write("RIFF", 4);
  le(36 + frames * 2, 4);
  out.write("WAVEfmt ", 8);
  le(16, 4);
  le(1, 2);
  le(1, 2);
  le(kRate, 4);
  le(kRate * 2, 4);
  le(2, 2);
  le(16, 2);
  out.write("data", 4);
  le(frames * 2, 4);
  for (int i = 0; i < frames; ++i) {
    le(static_cast<uint16_t>(static_cast<int16_t>(8000 * std::sin(2 * M_PI * hz * i / kRate))), 2);
  }
}

// The five cue files in a temporary working directory, opened through the
// real library.
struct OpenSound {
  OpenSound() {
    previous = QDir::currentPath();
    QDir(dir.path()).mkpath("Sound");
    double hz = 300;
    for (const char* n : {"Gameover", "Got", "Miss", "Move", "Start"}) {
      writeTone((dir.path() + "/Sound/" + n + ".wav").toStdString(), hz += 100, 120);
    }
    QDir::setCurrent(dir.path());
    sound.sound_on = true;
    ok = sound.Snd_Open(2);
  }
  ~OpenSound() {
    sound.Snd_Release();
    QDir::setCurrent(previous);
  }
  QTemporaryDir dir;
  QString previous;
  tavro::SoundSystem sound;
  bool ok = false;
};

// play() until the cue sits on a voice. Every 64 requests the voices are
// emptied with the clock stopped, so each timed request finds a free voice.
void BM_PlayCue(benchmark::State& state) {
  OpenSound open;
  if (!open.ok) {
    state.SkipWithError("sound did not open");
    return;
  }
  int queued = 0;
  int requests = 0;
  for (auto _ : state) {
    open.sound.play(tavro::Cue::Move);
    if (++requests % 64 == 0) {
      state.PauseTiming();
      queued += tavro::fsoundVoicesPlaying();
      tavro::fsoundStopVoices();
      state.ResumeTiming();
    }
  }
  queued += tavro::fsoundVoicesPlaying();
  tavro::fsoundStopVoices();
  state.counters["queued_share"] = requests ? static_cast<double>(queued) / requests : 0.0;
}
BENCHMARK(BM_PlayCue);

// The same request with sound off: the cost of the early return.
void BM_PlayCueSoundOff(benchmark::State& state) {
  tavro::SoundSystem sound;
  for (auto _ : state) {
    sound.play(tavro::Cue::Move);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PlayCueSoundOff);

// One 512-frame stereo buffer of the audio callback with `range(0)` voices
// sounding, each restarted when it ends.
void BM_MixBuffer(benchmark::State& state) {
  const int voices = static_cast<int>(state.range(0));
  const tavro::CueSound sound(22050 * 2, 1000);  // one second of stereo
  tavro::CueMixer mixer(64, 2);
  std::vector<int16_t> out(512 * 2);
  for (auto _ : state) {
    while (mixer.playing() < voices) {
      mixer.start(-1, &sound);
    }
    mixer.mix(out.data(), 512);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_MixBuffer)->Arg(1)->Arg(4)->Arg(64);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("SDL_AUDIODRIVER") == nullptr) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
