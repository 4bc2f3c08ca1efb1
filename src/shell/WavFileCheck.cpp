#include "shell/WavFileCheck.h"

#include "device/RegularFile.h"
#include "sound/CueDecoder.h"
#include "sound/SdlLibrary.h"
#include "sound/SoundSystem.h"

namespace tavro {

std::optional<std::string> wavFileProblem(const std::string& path) {
  switch (checkRegularFile(path, kMaxCueFileSize)) {
    case FileStatus::Absent:
      return "not found";
    case FileStatus::NotRegular:
      return "not a regular file";
    case FileStatus::TooLarge:
      return "larger than " + std::to_string(kMaxCueFileSize >> 20) + " MB";
    case FileStatus::Ok:
    case FileStatus::Unreadable:
      break;
  }
  const DecodedCue cue = decodeCue(sdlLibrary(), path.c_str(), kCueMixRate);
  if (!cue.playable) {
    return "does not load as a sound (" + cue.problem + ")";
  }
  return std::nullopt;
}

bool soundDecoderAvailable() {
  return sdlLibrary() != nullptr;
}

}  // namespace tavro
