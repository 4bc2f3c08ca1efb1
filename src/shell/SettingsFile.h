#pragma once
// The settings file on a host without the registry. It is read whole through
// the bounded regular-file reader (a named pipe, a device or a huge file reads
// as an empty store and is left alone) and read again only when its stat()
// changes. A write takes QSettings' lock file (Tavro50.conf.lock) for a short
// time at most, reads the file again, and replaces it by a complete new copy
// renamed over it, so that neither a crash nor another program ever sees half
// a file. A symbolic link to the file stays a link: its target is replaced.

#include <cstdint>
#include <map>
#include <string>

#include "device/RegularFile.h"
#include "shell/SettingsText.h"

namespace tavro {

class SettingsFile {
 public:
  // Ten short values take a few hundred bytes; a file far above that was not
  // written by the program, and reading it would only cost time and memory.
  static constexpr std::uint64_t kMaxBytes = 64 * 1024;
  // How long a write waits for the lock file that another program holds.
  static constexpr int kLockWaitMs = 300;

  // An empty path: there is no file, nothing is read or written.
  explicit SettingsFile(std::string path);

  const std::string& path() const { return path_; }

  // The file as it is now.
  const SettingsText& current();

  // Gives the keys these values and saves the file. Returns "" when the file
  // holds them, else why it could not be saved (the file is then as it was).
  std::string write(const std::map<std::string, int32_t>& values);

 private:
  struct Stamp {
    bool exists = false;
    std::uint64_t device = 0, inode = 0, size = 0;
    std::int64_t modifiedNs = 0, changedNs = 0;
    bool operator==(const Stamp&) const = default;
  };
  static Stamp stampOf(const std::string& path);
  // True when the file already gives every key its value.
  bool holds(const std::map<std::string, int32_t>& values);
  std::string takeLockProblem(const std::string& lockPath) const;
  std::string unreadableReason() const;

  std::string path_;
  SettingsText text_;
  Stamp stamp_;
  bool read_ = false;
  FileStatus status_ = FileStatus::Absent;
  int error_ = 0;
};

}  // namespace tavro
