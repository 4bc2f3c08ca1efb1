#include "shell/SettingsLocation.h"

#include <cstdlib>

#include "shell/ProductInfo.h"

namespace tavro {
namespace {

bool absolute(const char* path) {
  return path != nullptr && path[0] == '/';
}

}  // namespace

std::string settingsFilePath(const char* xdgConfigHome, const char* home) {
  std::string folder;
  if (absolute(xdgConfigHome)) {
    folder = xdgConfigHome;
  } else if (absolute(home)) {
    folder = std::string(home) + "/.config";
  } else {
    return {};
  }
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (folder == "/") folder.clear();
  return folder + "/" + product::kOrganisation + "/" + product::kApplication + ".conf";
}

std::string settingsFilePath() {
  return settingsFilePath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

}  // namespace tavro
