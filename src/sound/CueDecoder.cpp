#include "CueDecoder.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "SdlLibrary.h"

namespace tavro {
namespace {

DecodedCue failed(std::string problem) {
  DecodedCue cue;
  cue.problem = std::move(problem);
  return cue;
}

// Converts a loaded WAV's data to the output's layout.
DecodedCue convert(const SdlFunctions& sdl, const SDL_AudioSpec& source, const Uint8* data,
                   Uint32 length, int rate) {
  const Uint32 frameBytes = SDL_AUDIO_BITSIZE(source.format) / 8 * source.channels;
  if (frameBytes == 0 || source.freq <= 0) {
    return failed("no channels or no sample rate");
  }
  const Uint32 frames = length / frameBytes;
  if (std::uint64_t{frames} > std::uint64_t{kMaxCueSeconds} * std::uint64_t(source.freq)) {
    return failed("longer than " + std::to_string(kMaxCueSeconds) + " seconds");
  }
  SDL_AudioCVT cvt;
  if (sdl.SDL_BuildAudioCVT(&cvt, source.format, source.channels, source.freq, AUDIO_S16SYS,
                            kCueChannels, rate) < 0) {
    return failed(sdl.SDL_GetError());
  }
  // SDL converts in place, in a buffer len_mult times the input.
  const std::size_t bytes = std::size_t{frames} * frameBytes;
  DecodedCue cue;
  cue.sound.resize((bytes * static_cast<std::size_t>(cvt.len_mult) + 1) / sizeof(int16_t));
  std::memcpy(cue.sound.data(), data, bytes);
  cvt.buf = reinterpret_cast<Uint8*>(cue.sound.data());
  cvt.len = static_cast<int>(bytes);
  cvt.len_cvt = cvt.len;
  if (cvt.needed != 0 && cvt.len > 0 && sdl.SDL_ConvertAudio(&cvt) != 0) {
    return failed(sdl.SDL_GetError());
  }
  // Whole frames only, so that every voice keeps the channels in step.
  cue.sound.resize(static_cast<std::size_t>(cvt.len_cvt) / (sizeof(int16_t) * kCueChannels) *
                   kCueChannels);
  cue.sound.shrink_to_fit();
  cue.playable = true;
  return cue;
}

}  // namespace

DecodedCue decodeCue(const SdlFunctions* sdl, const char* path, int rate) {
  if (path == nullptr) {
    return failed("no file name");
  }
  if (sdl == nullptr) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
      return failed("cannot be opened");
    }
    std::fclose(file);
    DecodedCue cue;
    cue.playable = true;
    return cue;
  }
  SDL_RWops* file = sdl->SDL_RWFromFile(path, "rb");
  if (file == nullptr) {
    return failed(sdl->SDL_GetError());
  }
  SDL_AudioSpec source{};
  Uint8* data = nullptr;
  Uint32 length = 0;
  if (sdl->SDL_LoadWAV_RW(file, 1, &source, &data, &length) == nullptr) {
    return failed(sdl->SDL_GetError());
  }
  DecodedCue cue = convert(*sdl, source, data, length, rate);
  sdl->SDL_FreeWAV(data);
  return cue;
}

}  // namespace tavro
