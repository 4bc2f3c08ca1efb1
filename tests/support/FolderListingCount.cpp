#include "support/FolderListingCount.h"

#include <dirent.h>

#include <algorithm>
#include <map>
#include <string>

namespace {
std::map<std::string, int> listings;  // by folder
}  // namespace

extern "C" DIR* __real_opendir(const char* name);
extern "C" DIR* __wrap_opendir(const char* name) {
  ++listings[name];
  return __real_opendir(name);
}

namespace tavro::testing {

int mostFolderListings() {
  int most = 0;
  for (const auto& [folder, count] : listings) most = std::max(most, count);
  return most;
}

void resetFolderListings() {
  listings.clear();
}

}  // namespace tavro::testing
