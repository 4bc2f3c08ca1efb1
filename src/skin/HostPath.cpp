// Paths written for Windows in Config.ini, mapped onto the host's file system,
// and the place of Config.ini itself.

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

#include "device/RegularFile.h"
#include "skin/FolderListingScope.h"
#include "skin/IniFile.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace tavro {
namespace {

bool exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
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
      const std::optional<std::string> found =
          FolderListingScope::findIgnoringCase(resolved, component);
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
