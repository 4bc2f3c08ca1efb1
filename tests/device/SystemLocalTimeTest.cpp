// The host's local time follows a change of the time zone at the next reading:
// a new TZ value, or new contents of the zone file that TZ names.
#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "device/SystemLocalTime.h"
#include "support/ChildProcess.h"

namespace tavro::testing {
namespace {

namespace fs = std::filesystem;

// A zone file (TZif version 1) of one zone with a fixed offset from UTC.
std::string zoneFileBytes(int offsetMinutes) {
  auto be32 = [](std::string& out, int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    for (int shift = 24; shift >= 0; shift -= 8)
      out.push_back(static_cast<char>((u >> shift) & 0xff));
  };
  std::string out = "TZif";
  out.append(16, '\0');                                       // version 1 and reserved bytes
  for (int32_t count : {0, 0, 0, 0, 1, 4}) be32(out, count);  // one type, four name bytes
  be32(out, offsetMinutes * 60);
  out.push_back('\0');  // not daylight saving time
  out.push_back('\0');  // name at index 0
  out.append("ZZZ", 4);
  return out;
}

void writeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Minutes of the day in UTC.
int utcMinutes() {
  const std::time_t t = std::time(nullptr);
  std::tm parts{};
  gmtime_r(&t, &parts);
  return parts.tm_hour * 60 + parts.tm_min;
}

// The local time's offset from UTC in minutes (-720..719), as read by `clock`.
int offsetOf(const SystemLocalTime& clock) {
  for (;;) {  // read again when a minute begins between the readings
    const int before = utcMinutes();
    const LocalDateTime local = clock.now();
    if (utcMinutes() != before) continue;
    const int offset = ((local.hour * 60 + local.minute - before) % 1440 + 1440) % 1440;
    return offset >= 720 ? offset - 1440 : offset;
  }
}

class HostZoneChange : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"TZ", "TZDIR"}) {
      const char* value = std::getenv(name);
      saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
    }
    char pattern[] = "/tmp/tavro50-zone-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    const char* names[] = {"TZ", "TZDIR"};
    for (int i = 0; i < 2; ++i) {
      if (saved_[i])
        setenv(names[i], saved_[i]->c_str(), 1);
      else
        unsetenv(names[i]);
    }
    tzset();
    fs::remove_all(dir_);
  }
  std::vector<std::optional<std::string>> saved_;
  fs::path dir_;
};

struct TzCase {
  const char* what;
  const char* first;   // TZ values, "@" standing for the folder of zone files
  const char* second;  // (its zone files: east2 = UTC+2, west5 = UTC-5:30)
  int firstOffset, secondOffset;
};

void PrintTo(const TzCase& c, std::ostream* out) {
  *out << c.what;
}

class NewTzValue : public HostZoneChange, public ::testing::WithParamInterface<TzCase> {};

TEST_P(NewTzValue, ShowsAtTheNextReading) {
  const TzCase& c = GetParam();
  writeFile(dir_ / "east2", zoneFileBytes(120));
  writeFile(dir_ / "west5", zoneFileBytes(-330));
  setenv("TZDIR", dir_.c_str(), 1);
  auto expand = [&](std::string value) {
    if (const auto at = value.find('@'); at != std::string::npos)
      value.replace(at, 1, dir_.string());
    return value;
  };
  const SystemLocalTime clock;
  setenv("TZ", expand(c.first).c_str(), 1);
  EXPECT_EQ(offsetOf(clock), c.firstOffset) << c.what;
  setenv("TZ", expand(c.second).c_str(), 1);
  EXPECT_EQ(offsetOf(clock), c.secondOffset) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Table, NewTzValue,
                         ::testing::Values(TzCase{"rule to rule", "UTC0", "<+03>-3", 0, 180},
                                           TzCase{"rule to file", "UTC0", ":@/east2", 0, 120},
                                           TzCase{"file to file", "@/east2", ":@/west5", 120, -330},
                                           TzCase{"name under TZDIR to rule", "west5", "<-01>1",
                                                  -330, -60},
                                           TzCase{"empty (UTC) to name", "", "east2", 0, 120}));

struct FileCase {
  const char* what;
  bool inPlace;  // rewritten in the same file, else replaced by a renamed new file
  bool colon;    // TZ=":path" rather than TZ="path"
};

void PrintTo(const FileCase& c, std::ostream* out) {
  *out << c.what;
}

class ZoneFileChange : public HostZoneChange, public ::testing::WithParamInterface<FileCase> {};

TEST_P(ZoneFileChange, ShowsAtTheNextReading) {
  const FileCase& c = GetParam();
  const fs::path zone = dir_ / "zone";
  writeFile(zone, zoneFileBytes(120));
  setenv("TZ", ((c.colon ? ":" : "") + zone.string()).c_str(), 1);
  const SystemLocalTime clock;
  EXPECT_EQ(offsetOf(clock), 120) << c.what;
  EXPECT_EQ(offsetOf(clock), 120) << c.what << ": unchanged file, same zone";

  // +3:00 has a file of the same size, and is written within the same second.
  if (c.inPlace) {
    writeFile(zone, zoneFileBytes(180));
  } else {
    writeFile(dir_ / "zone.new", zoneFileBytes(180));
    fs::rename(dir_ / "zone.new", zone);
  }
  EXPECT_EQ(offsetOf(clock), 180) << c.what;

  // A zone file that disappears leaves the zone it had.
  fs::remove(zone);
  EXPECT_EQ(offsetOf(clock), 180) << c.what << ": file removed";
  writeFile(zone, zoneFileBytes(-60));
  EXPECT_EQ(offsetOf(clock), -60) << c.what << ": file back";
}

INSTANTIATE_TEST_SUITE_P(Table, ZoneFileChange,
                         ::testing::Values(FileCase{"replaced", false, true},
                                           FileCase{"rewritten in place", true, true},
                                           FileCase{"replaced, no colon", false, false}));

// A zone file that becomes a named pipe, and a new TZ that names one: the
// reading keeps the zone it had instead of blocking for good in the C
// library's reading of the pipe, and follows the file once it is back.
TEST_F(HostZoneChange, NamedPipeKeepsTheZoneItHad) {
  const fs::path zone = dir_ / "zone", pipe = dir_ / "pipe";
  writeFile(zone, zoneFileBytes(120));
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  setenv("TZ", (":" + zone.string()).c_str(), 1);
  const std::optional<int> failures = exitOfChild([&] {
    const SystemLocalTime clock;
    int failed = offsetOf(clock) != 120;
    fs::remove(zone);
    mkfifo(zone.c_str(), 0600);
    failed |= (offsetOf(clock) != 120) << 1;
    fs::remove(zone);
    writeFile(zone, zoneFileBytes(-60));
    failed |= (offsetOf(clock) != -60) << 2;
    setenv("TZ", (":" + pipe.string()).c_str(), 1);
    failed |= (offsetOf(clock) != -60) << 3;
    return failed;
  });
  ASSERT_TRUE(failures) << "the reading blocked";
  EXPECT_EQ(*failures, 0) << "bits: 1 first, 2 pipe, 4 file back, 8 new TZ naming a pipe";
}

// Without TZ the zone is /etc/localtime. The test gives a child process a
// private view of the file system (root only) with a zone file of its own
// mounted over /etc/localtime, and rewrites that file in place: within the same
// second as the last version, and later.
TEST_F(HostZoneChange, EtcLocaltimeRewrittenShowsAtTheNextReading) {
  const fs::path zone = dir_ / "localtime";
  writeFile(zone, zoneFileBytes(120));
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (unshare(CLONE_NEWNS) != 0 ||
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
      _exit(77);
    if (mount(zone.c_str(), "/etc/localtime", nullptr, MS_BIND, nullptr) != 0) _exit(77);
    unsetenv("TZ");
    const SystemLocalTime clock;
    int failures = offsetOf(clock) != 120;
    writeFile(zone, zoneFileBytes(180));
    failures |= (offsetOf(clock) != 180) << 1;
    sleep(1);
    writeFile(zone, zoneFileBytes(-60));
    failures |= (offsetOf(clock) != -60) << 2;
    _exit(failures);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no private mount namespace (needs root)";
  EXPECT_EQ(WEXITSTATUS(status) & 1, 0) << "the zone of /etc/localtime at the first reading";
  EXPECT_EQ(WEXITSTATUS(status) & 2, 0) << "rewritten within the same second";
  EXPECT_EQ(WEXITSTATUS(status) & 4, 0) << "rewritten a second later";
}

}  // namespace
}  // namespace tavro::testing
