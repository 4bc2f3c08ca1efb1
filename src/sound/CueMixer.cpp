#include "CueMixer.h"

#include <algorithm>

namespace tavro {

CueMixer::CueMixer(int voices, int channels)
    : voices_(std::clamp(voices, 1, kMaxVoices)), channels_(std::max(channels, 1)) {}

int CueMixer::start(int voice, const CueSound* sound) {
  if (sound == nullptr || voice < -1 || voice >= voices_) {
    return -1;
  }
  if (voice == -1) {
    for (int v = 0; v < voices_; ++v) {
      if (voice_[v].sound == nullptr) {
        voice = v;
        break;
      }
    }
    if (voice == -1) {
      return -1;  // all busy: the request is dropped, the sounding voices go on
    }
  }
  voice_[voice] = Voice{sound, 0};
  return voice;
}

void CueMixer::stop(const CueSound* sound) {
  for (Voice& v : voice_) {
    if (v.sound == sound) {
      v = Voice{};
    }
  }
}

void CueMixer::stopAll() {
  voice_.fill(Voice{});
}

int CueMixer::playing() const {
  return static_cast<int>(std::count_if(voice_.begin(), voice_.end(),
                                        [](const Voice& v) { return v.sound != nullptr; }));
}

void CueMixer::mix(int16_t* out, int frames) {
  std::size_t total = static_cast<std::size_t>(std::max(frames, 0)) * channels_;
  while (total > 0) {
    const std::size_t n = std::min(total, kChunk);
    std::fill_n(sum_.begin(), n, 0);
    for (int i = 0; i < voices_; ++i) {
      Voice& v = voice_[i];
      if (v.sound == nullptr) {
        continue;
      }
      const std::size_t take = std::min(n, v.sound->size() - v.at);
      const int16_t* from = v.sound->data() + v.at;
      for (std::size_t k = 0; k < take; ++k) {
        sum_[k] += from[k];
      }
      v.at += take;
      if (v.at >= v.sound->size()) {
        v = Voice{};
      }
    }
    for (std::size_t k = 0; k < n; ++k) {
      out[k] = static_cast<int16_t>(std::clamp<int32_t>(sum_[k], INT16_MIN, INT16_MAX));
    }
    out += n;
    total -= n;
  }
}

}  // namespace tavro
