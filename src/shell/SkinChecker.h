#pragma once
// The skin checker: reads a folder's Config.ini as the skin and manual loaders
// do and lists every problem they would meet, where a load stops at the first.
//
// The loaders resolve relative folders against the working directory and the
// sound output loads Sound/*.wav from there; the checker resolves both
// against the checked folder, the folder the program is meant to be started
// from (the launcher starts it in its own folder).

#include <string>
#include <vector>

#include "shell/SkinProblem.h"

namespace tavro {

// Checks FOLDER/Config.ini, its pictures, the manual pages and FOLDER/Sound.
// Config.ini problems come first, in line order.
std::vector<SkinProblem> checkSkin(const std::string& folder);

}  // namespace tavro
