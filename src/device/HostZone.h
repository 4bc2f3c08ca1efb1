#pragma once
// Keeps the C library's time zone rules in step with the host, so that a zone
// change (TZ, the file TZ names, or /etc/localtime) shows at the next reading of
// the local time. refresh() allocates nothing and reads no file while the zone
// stays the same: it compares TZ and one stat() of the zone file with what it saw
// last time.

#include <cstdint>

namespace tavro {

class HostZone {
 public:
  // Call before each conversion to local time.
  void refresh();

 private:
  // What identifies one version of the zone file.
  struct Stamp {
    bool exists = false, regular = false;
    uint64_t device = 0, inode = 0;
    int64_t size = 0, modifiedNs = 0, changedNs = 0;
    bool operator==(const Stamp&) const = default;
  };
  static Stamp stampOf(const char* path);
  bool sameTz(const char* tz) const;
  void remember(const char* tz);
  void reload(const char* tz, const Stamp& before, const Stamp& now);

  static constexpr int kMaxText = 4096;
  bool started_ = false;
  bool tzSet_ = false;
  bool watchable_ = false;  // TZ fits the buffers below
  char tz_[kMaxText] = {};
  char path_[kMaxText] = {};
  Stamp stamp_;     // the file as seen at the last reading
  Stamp lastRead_;  // the file as the C library last read it
};

}  // namespace tavro
