#include "skin/BackdropPrefetch.h"

#include <sys/stat.h>

#include <exception>
#include <thread>

#include "device/RegularFile.h"
#include "skin/IniFile.h"
#include "skin/PictureFile.h"

namespace tavro {
namespace {

// What identifies the file the thread read: a file replaced or rewritten
// since then is the loader's to read again.
struct Stamp {
  bool known = false;
  long long size = 0;
  long long mtimeNs = 0;
  bool operator==(const Stamp& other) const = default;
};

Stamp stampOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return {};
  return {true, static_cast<long long>(info.st_size),
          static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec};
}

struct Prefetch {
  std::thread thread;
  std::string path;
  Stamp stamp;
  std::optional<Picture> picture;  // set by the thread
};

Prefetch& prefetch() {
  static Prefetch p;
  return p;
}

void decodeOnThread(Prefetch& p) {
  try {
    p.stamp = stampOf(p.path);
    Picture picture = PictureFile::read(p.path).decode();
    if (stampOf(p.path) == p.stamp) p.picture = std::move(picture);
  } catch (const std::exception&) {
    // the loader decodes the file itself, and reports what fails
  }
}

}  // namespace

std::string backdropPath(const IniFile& ini) {
  const std::string folder =
      makeFolder(ini.readString("Fullscreen", "BackdropDir", "Graphics\\Backdrops\\"));
  const std::string name = ini.readString("Fullscreen", "BackdropFile", "nil");
  if (isNoFile(name)) return {};
  return hostPath(folder + name);
}

namespace backdropPrefetch {

void startForThisRun(bool fullscreenMode) {
  Prefetch& p = prefetch();
  if (!fullscreenMode || p.thread.joinable()) return;
  const FileContents config = readRegularFile(configPath(), kMaxConfigFileSize);
  if (config.status != FileStatus::Ok) return;
  p.path = backdropPath(IniFile::fromText(config.bytes));
  if (p.path.empty() || checkRegularFile(p.path) != FileStatus::Ok) return;
  try {
    p.thread = std::thread(decodeOnThread, std::ref(p));
  } catch (const std::exception&) {
    // no thread to be had: the loader decodes it
  }
}

std::optional<Picture> take(const std::string& hostPath) {
  Prefetch& p = prefetch();
  if (!p.thread.joinable() || hostPath != p.path) return std::nullopt;
  p.thread.join();
  std::optional<Picture> picture = std::move(p.picture);
  p.picture.reset();
  if (picture && stampOf(hostPath) != p.stamp) return std::nullopt;
  return picture;
}

void finish() {
  Prefetch& p = prefetch();
  if (p.thread.joinable()) p.thread.join();
  p.picture.reset();
}

}  // namespace backdropPrefetch
}  // namespace tavro
