#include "skin/FolderListingScope.h"

#include <unordered_map>

#ifndef _WIN32
#include <dirent.h>
#endif

namespace tavro {
namespace {

#ifndef _WIN32
std::string lowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

using Listing = std::unordered_map<std::string, std::string>;  // lower case -> name as stored

// nullopt when the folder cannot be listed.
std::optional<Listing> list(const std::string& folder) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return std::nullopt;
  Listing listing;
  while (const dirent* entry = ::readdir(dir)) {
    // Names that differ only in case: the first in byte order is taken, so
    // the choice does not depend on the order the folder lists them in.
    const std::string name = entry->d_name;
    auto [it, added] = listing.emplace(lowerAscii(name), name);
    if (!added && name < it->second) it->second = name;
  }
  ::closedir(dir);
  return listing;
}

std::optional<std::string> lookUp(const std::optional<Listing>& listing, std::string_view name) {
  if (!listing) return std::nullopt;
  const auto it = listing->find(lowerAscii(name));
  if (it == listing->end()) return std::nullopt;
  return it->second;
}

struct Kept {
  int depth = 0;
  std::unordered_map<std::string, std::optional<Listing>> listings;  // by folder
};

thread_local Kept kept;
#endif

}  // namespace

FolderListingScope::FolderListingScope() {
#ifndef _WIN32
  ++kept.depth;
#endif
}

FolderListingScope::~FolderListingScope() {
#ifndef _WIN32
  if (--kept.depth == 0) kept.listings.clear();
#endif
}

std::optional<std::string> FolderListingScope::findIgnoringCase(const std::string& folder,
                                                                std::string_view name) {
#ifdef _WIN32
  (void)folder;
  (void)name;
  return std::nullopt;
#else
  if (kept.depth == 0) return lookUp(list(folder), name);
  auto it = kept.listings.find(folder);
  if (it == kept.listings.end()) it = kept.listings.emplace(folder, list(folder)).first;
  return lookUp(it->second, name);
#endif
}

}  // namespace tavro
