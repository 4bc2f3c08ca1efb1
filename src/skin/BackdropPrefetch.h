#pragma once
// The backdrop of fullscreen mode is screen-sized: of all the pictures of a
// start it takes longest to decode. It is decoded on a thread of its own
// from the program's first moment, while the toolkit and the windows are set
// up, and the skin loader takes the picture when it comes to the backdrop:
// charged to its budget as any picture, at the same step. Whatever goes
// wrong on that thread (a file that changed, one that does not decode) is
// left to the loader, which then reads and decodes the file itself, so
// every error comes at its own moment with its own text.

#include <optional>
#include <string>

#include "skin/Picture.h"

namespace tavro {

class IniFile;

// The backdrop a fullscreen load of this Config.ini would decode first: its
// host path, or empty when there is none.
std::string backdropPath(const IniFile& ini);

namespace backdropPrefetch {

// Reads Config.ini and the stored mode as a start does, and decodes the
// backdrop on another thread when the start is in fullscreen mode.
void startForThisRun(bool fullscreenMode);

// The decoded picture of the file at hostPath, once (waiting for the thread
// if it is still at work), when that is the file the thread decoded and it
// has not changed since; nullopt otherwise.
std::optional<Picture> take(const std::string& hostPath);

// Waits for a thread that is still at work (the program's end).
void finish();

}  // namespace backdropPrefetch
}  // namespace tavro
