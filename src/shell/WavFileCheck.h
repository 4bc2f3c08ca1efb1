#pragma once
// Whether a sound file is a WAV file the sound output can load: a RIFF WAVE
// file with a format chunk of a known encoding and a data chunk.

#include <optional>
#include <string>

namespace tavro {

// Why the file cannot be loaded as a sound ("not found", "not a RIFF WAVE
// file", ...), or nullopt when it can.
std::optional<std::string> wavFileProblem(const std::string& path);

}  // namespace tavro
