#include "skin/HiResPicture.h"

#include <exception>

#include "skin/IniFile.h"
#include "skin/Picture.h"
#include "skin/PictureControl.h"

namespace tavro {

std::string hiResName(std::string_view path) {
  const std::size_t nameStart = path.find_last_of("/\\");
  std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || (nameStart != std::string_view::npos && dot < nameStart)) {
    dot = path.size();
  }
  std::string out(path.substr(0, dot));
  out += "@2x";
  out += path.substr(dot);
  return out;
}

std::optional<Picture> HiResLoader::load(const std::string& windowsPath) {
  if (!enabled_) {
    return std::nullopt;
  }
  const std::string path = hostPath(hiResName(windowsPath));
  if (!fileExists(path)) {
    return std::nullopt;
  }
  try {
    return budget_.load(path);
  } catch (const std::exception&) {
    // an unreadable variant leaves the picture as it is
  }
  return std::nullopt;
}

void HiResLoader::addTo(PictureControl& control, const std::string& windowsPath) {
  if (!enabled_ || !control.hasPicture()) {
    return;
  }
  if (std::optional<Picture> variant = load(windowsPath)) {
    control.setHiResPicture(*variant);
  }
}

}  // namespace tavro
