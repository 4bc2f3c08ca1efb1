#include "ZoneFile.h"

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>

namespace tavro {
namespace {

bool copyText(char* out, int size, const char* text) {
  const size_t length = std::strlen(text);
  if (length >= static_cast<size_t>(size)) return false;
  std::memcpy(out, text, length + 1);
  return true;
}

}  // namespace

bool zoneFilePath(const char* tz, char* out, int size) {
  if (tz == nullptr) return copyText(out, size, "/etc/localtime");
  if (*tz == '\0') tz = "Universal";
  if (*tz == ':') ++tz;
  if (*tz == '\0') return copyText(out, size, "/etc/localtime");
  if (*tz == '/') return copyText(out, size, tz);
  const char* dir = std::getenv("TZDIR");
  if (dir == nullptr || *dir == '\0') dir = "/usr/share/zoneinfo";
  const size_t dirLength = std::strlen(dir), nameLength = std::strlen(tz);
  if (dirLength + 1 + nameLength >= static_cast<size_t>(size)) return false;
  std::memcpy(out, dir, dirLength);
  out[dirLength] = '/';
  std::memcpy(out + dirLength + 1, tz, nameLength + 1);
  return true;
}

bool isSpecialFile(const char* path) {
  struct stat info {};
  return ::stat(path, &info) == 0 && (info.st_mode & S_IFMT) != S_IFREG;
}

}  // namespace tavro
