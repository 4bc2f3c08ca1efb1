#include "support/FolderListingCount.h"

#include <dirent.h>

#include <algorithm>
#include <map>
#include <mutex>

namespace {

std::mutex mutex;
std::map<std::string, int> listings;

}  // namespace

extern "C" DIR* __real_opendir(const char* name);

extern "C" DIR* __wrap_opendir(const char* name) {
  {
    const std::lock_guard<std::mutex> lock(mutex);
    ++listings[name];
  }
  return __real_opendir(name);
}

namespace tavro::testing {

int folderListings(const std::string& folder) {
  const std::lock_guard<std::mutex> lock(mutex);
  const auto it = listings.find(folder);
  return it == listings.end() ? 0 : it->second;
}

int mostFolderListings() {
  const std::lock_guard<std::mutex> lock(mutex);
  int most = 0;
  for (const auto& [folder, count] : listings) most = std::max(most, count);
  return most;
}

void resetFolderListings() {
  const std::lock_guard<std::mutex> lock(mutex);
  listings.clear();
}

}  // namespace tavro::testing
