#pragma once
// Whether the sound output loads a cue file, judged by the program's own
// rules: the file gate of the cue player and the sound layer's decoder, with
// SDL opened as the program opens it.

#include <optional>
#include <string>

namespace tavro {

// Why the program does not load the file as a sound ("not found", SDL's
// reason, ...), or nullopt when it does.
std::optional<std::string> wavFileProblem(const std::string& path);

// Whether SDL could be opened. Without it the program plays no sound and
// loads every cue file that opens.
bool soundDecoderAvailable();

}  // namespace tavro
