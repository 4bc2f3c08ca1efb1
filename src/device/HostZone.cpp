#include "HostZone.h"

#include "ZoneFile.h"

#include <cstdlib>
#include <cstring>
#include <ctime>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace tavro {

#ifdef _WIN32

// The C runtime reads TZ, or the system's zone when TZ is unset, on every _tzset().
void HostZone::refresh() {
  _tzset();
}

#else

namespace {

// Copies `text` into `out` (kMaxText bytes); false when it does not fit.
bool copyText(char* out, int size, const char* text) {
  const size_t length = std::strlen(text);
  if (length >= static_cast<size_t>(size)) return false;
  std::memcpy(out, text, length + 1);
  return true;
}

}  // namespace

HostZone::Stamp HostZone::stampOf(const char* path) {
  struct stat st {};
  Stamp stamp;
  if (::stat(path, &st) != 0) return stamp;
  stamp.exists = true;
  stamp.regular = S_ISREG(st.st_mode);
  stamp.device = static_cast<uint64_t>(st.st_dev);
  stamp.inode = static_cast<uint64_t>(st.st_ino);
  stamp.size = static_cast<int64_t>(st.st_size);
  stamp.modifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  stamp.changedNs = static_cast<int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
  return stamp;
}

bool HostZone::sameTz(const char* tz) const {
  if (tz == nullptr) return !tzSet_;
  return tzSet_ && std::strcmp(tz, tz_) == 0;
}

void HostZone::remember(const char* tz) {
  started_ = true;
  tzSet_ = tz != nullptr;
  watchable_ = (tz == nullptr || copyText(tz_, kMaxText, tz)) && zoneFilePath(tz, path_, kMaxText);
  if (!watchable_) tz_[0] = path_[0] = '\0';
  stamp_ = lastRead_ = watchable_ ? stampOf(path_) : Stamp{};
}

// Makes glibc read the zone file again. Without TZ, tzset() does so itself when
// /etc/localtime's device, inode or modification second differ from the version
// it read last. Otherwise (TZ set, or a rewrite within the same second) glibc
// keeps its rules while TZ holds the value it read last, so TZ passes once
// through a zone that names no file. Runs only when the file has changed; with
// TZ set, setenv() replaces the existing entry rather than growing the table.
void HostZone::reload(const char* tz, const Stamp& before, const Stamp& now) {
  const bool glibcSees = before.device != now.device || before.inode != now.inode ||
                         before.modifiedNs / 1000000000 != now.modifiedNs / 1000000000;
  if (tz == nullptr && glibcSees) {
    ::tzset();
    return;
  }
  char saved[kMaxText];
  if (tz != nullptr) std::memcpy(saved, tz_, sizeof saved);
  ::setenv("TZ", "UTC0", 1);
  ::tzset();
  if (tz != nullptr)
    ::setenv("TZ", saved, 1);
  else
    ::unsetenv("TZ");
  ::tzset();
}

void HostZone::refresh() {
  const char* tz = std::getenv("TZ");
  if (!started_ || !sameTz(tz) || !watchable_) {
    // A new TZ value (or one too long to keep): tzset() reads the zone it names,
    // unless that is a named pipe or a device, which could block it for good.
    char file[kMaxText];
    if (!zoneFilePath(tz, file, kMaxText) || !isSpecialFile(file)) ::tzset();
    remember(tz);
    return;
  }
  const Stamp now = stampOf(path_);
  if (now == stamp_) return;
  // A file that is gone, empty in the middle of being rewritten, or no longer
  // a regular file (a named pipe would block the reading for good) keeps the
  // rules read last; they are read again when it is back.
  if (now.exists && now.regular && now.size > 0) {
    reload(tz, lastRead_, now);
    lastRead_ = now;
  }
  stamp_ = now;
}

#endif

}  // namespace tavro
