// Paths written for Windows in Config.ini, mapped onto the host's file system,
// and the place of Config.ini itself.

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "device/RegularFile.h"
#include "skin/IniFile.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <unistd.h>
#endif

namespace tavro {
namespace {

bool exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

#ifndef _WIN32
std::string lowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// Folder listings kept between lookups, so that a skin whose 81 names all
// differ in case from the files costs one scan of its folder, not 81. A name
// found in a kept listing is checked to still exist; a name not found there
// is looked for again in a fresh scan, so files added since are seen.
class ListingCache {
 public:
  std::optional<std::string> find(const std::string& folder, std::string_view name) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const std::string key = lowerAscii(name);
    const auto kept = listings_.find(folder);
    if (kept != listings_.end()) {
      const auto it = kept->second.find(key);
      if (it != kept->second.end() && exists(folder + it->second)) return it->second;
    }
    if (listings_.size() >= kMaxFolders) listings_.clear();
    Listing& listing = listings_[folder];
    if (!scan(folder, listing)) {
      listings_.erase(folder);
      return std::nullopt;
    }
    const auto it = listing.find(key);
    if (it == listing.end()) return std::nullopt;
    return it->second;
  }

 private:
  static constexpr std::size_t kMaxFolders = 64;
  using Listing = std::map<std::string, std::string>;  // lower case -> name as stored

  static bool scan(const std::string& folder, Listing& listing) {
    listing.clear();
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return false;
    while (const dirent* entry = ::readdir(dir)) {
      // Several names may differ only in case: the first in sorted order is
      // taken, so the choice does not depend on the order the folder lists them.
      const std::string name = entry->d_name;
      auto [it, added] = listing.emplace(lowerAscii(name), name);
      if (!added && name < it->second) it->second = name;
    }
    ::closedir(dir);
    return true;
  }

  std::mutex mutex_;
  std::map<std::string, Listing> listings_;
};
#endif

// The entry of `folder` whose name equals `name` without regard to case.
std::optional<std::string> findIgnoringCase(const std::string& folder, std::string_view name) {
#ifdef _WIN32
  (void)folder;
  (void)name;
  return std::nullopt;  // the Windows file system already ignores case
#else
  static ListingCache cache;
  return cache.find(folder, name);
#endif
}

}  // namespace

std::string hostPath(std::string_view windowsPath) {
  std::string path(windowsPath);
  std::replace(path.begin(), path.end(), '\\', '/');
  if (path.empty() || exists(path)) return path;

  // Rebuild the path one component at a time, looking each up without regard
  // to case where it does not exist as written.
  std::string resolved = path.front() == '/' ? "/" : "";
  std::size_t pos = resolved.size();
  while (pos < path.size()) {
    std::size_t slash = path.find('/', pos);
    if (slash == std::string::npos) slash = path.size();
    const std::string_view component = std::string_view(path).substr(pos, slash - pos);
    pos = slash + 1;
    if (component.empty()) continue;  // doubled separators
    const bool last = slash >= path.size();

    std::string candidate = resolved + std::string(component);
    if (component != "." && component != ".." && !exists(candidate)) {
      const std::optional<std::string> found = findIgnoringCase(resolved, component);
      if (!found) return path;
      candidate = resolved + *found;
    }
    resolved = std::move(candidate);
    if (!last) resolved += '/';
  }
  return resolved;
}

bool fileExists(const std::string& hostPath) {
  return checkRegularFile(hostPath) == FileStatus::Ok;
}

std::string executableFolder() {
  std::string path;
#ifdef _WIN32
  char buffer[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  path.assign(buffer, length);
  const std::size_t cut = path.find_last_of("\\/");
#else
  std::vector<char> buffer(4096);
  const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (length > 0 && static_cast<std::size_t>(length) < buffer.size()) {
    path.assign(buffer.data(), static_cast<std::size_t>(length));
  }
  const std::size_t cut = path.rfind('/');
#endif
  // Without a known executable path the working directory stands in for it.
  if (cut == std::string::npos) return "./";
  return path.substr(0, cut + 1);
}

std::string configPath() {
  // TAVRO_CONFIG_DIR, when set and not empty, names the folder instead of the
  // executable's (used by the tests to point at a prepared Config.ini).
  std::string folder;
  if (const char* dir = std::getenv("TAVRO_CONFIG_DIR"); dir != nullptr && *dir != '\0') {
    folder = dir;
    if (folder.back() != '/' && folder.back() != '\\') folder += '/';
  } else {
    folder = executableFolder();
  }
  return folder + "Config.ini";
}

}  // namespace tavro
