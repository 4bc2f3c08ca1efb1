// Bounded reading of regular files. The platform calls sit in the small
// functions at the top; everything below them is the same everywhere.

#include "device/RegularFile.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <sys/types.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tavro {
namespace {

struct Kind {
  bool regular = false;
  std::uint64_t size = 0;
};

#ifdef _WIN32
Kind kindOf(const struct _stat64& info) {
  return {(info.st_mode & _S_IFMT) == _S_IFREG, static_cast<std::uint64_t>(info.st_size)};
}
bool lookAt(const std::string& path, Kind& kind) {
  struct _stat64 info {};
  if (::_stat64(path.c_str(), &info) != 0) return false;
  kind = kindOf(info);
  return true;
}
int openForReading(const std::string& path) {
  return ::_open(path.c_str(), _O_RDONLY | _O_BINARY);
}
bool lookAtOpen(int fd, Kind& kind) {
  struct _stat64 info {};
  if (::_fstat64(fd, &info) != 0) return false;
  kind = kindOf(info);
  return true;
}
long long readSome(int fd, char* buffer, std::size_t size) {
  return ::_read(fd, buffer, static_cast<unsigned>(size));
}
void closeFile(int fd) {
  ::_close(fd);
}
#else
Kind kindOf(const struct stat& info) {
  return {S_ISREG(info.st_mode), static_cast<std::uint64_t>(info.st_size)};
}
bool lookAt(const std::string& path, Kind& kind) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return false;
  kind = kindOf(info);
  return true;
}
int openForReading(const std::string& path) {
  // O_NONBLOCK: should the path have become a pipe since it was looked at,
  // the open returns at once instead of waiting for a writer.
  return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}
bool lookAtOpen(int fd, Kind& kind) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return false;
  kind = kindOf(info);
  return true;
}
long long readSome(int fd, char* buffer, std::size_t size) {
  ssize_t got = 0;
  do {
    got = ::read(fd, buffer, size);
  } while (got < 0 && errno == EINTR);
  return got;
}
void closeFile(int fd) {
  ::close(fd);
}
#endif

FileStatus statusOf(const Kind& kind, std::uint64_t maxBytes) {
  if (!kind.regular) return FileStatus::NotRegular;
  return kind.size > maxBytes ? FileStatus::TooLarge : FileStatus::Ok;
}

}  // namespace

FileStatus checkRegularFile(const std::string& path, std::uint64_t maxBytes) {
  Kind kind;
  if (path.empty() || !lookAt(path, kind)) return FileStatus::Absent;
  return statusOf(kind, maxBytes);
}

namespace {

FileContents readRegular(const std::string& path, std::uint64_t maxBytes, std::size_t headBytes) {
  FileContents contents;
  contents.status = checkRegularFile(path, maxBytes);
  if (contents.status != FileStatus::Ok) return contents;

  const int fd = openForReading(path);
  if (fd < 0) {
    contents.error = errno;
    contents.status = contents.error == ENOENT ? FileStatus::Absent : FileStatus::Unreadable;
    return contents;
  }
  Kind kind;
  if (!lookAtOpen(fd, kind)) {
    contents.error = errno;
    contents.status = FileStatus::Unreadable;
    closeFile(fd);
    return contents;
  }
  contents.status = statusOf(kind, maxBytes);
  if (contents.status == FileStatus::Ok) {
    // Read straight into the result: room for the size looked at and one byte
    // more, so that a file that has grown shows it; the room grows as needed.
    std::string& bytes = contents.bytes;
    const bool head = kind.size > headBytes;
    bytes.resize(head ? headBytes : static_cast<std::size_t>(kind.size) + 1);
    contents.size = kind.size;
    std::size_t used = 0;
    long long got = 0;
    for (;;) {
      if (used == bytes.size()) {
        if (head) break;  // the head is all that was asked for
        bytes.resize(bytes.size() + 65536);
      }
      got = readSome(fd, bytes.data() + used, bytes.size() - used);
      if (got <= 0) break;
      if (used + static_cast<std::uint64_t>(got) > maxBytes) {
        contents.status = FileStatus::TooLarge;
        break;
      }
      used += static_cast<std::size_t>(got);
    }
    bytes.resize(used);
    if (!head) contents.size = used;
    if (got < 0) {
      contents.error = errno;
      contents.status = FileStatus::Unreadable;
    }
  }
  if (contents.status != FileStatus::Ok) contents.bytes = std::string();
  closeFile(fd);
  return contents;
}

}  // namespace

FileContents readRegularFile(const std::string& path, std::uint64_t maxBytes) {
  return readRegular(path, maxBytes, SIZE_MAX);
}

FileContents readRegularFileHead(const std::string& path, std::uint64_t maxBytes,
                                 std::size_t headBytes) {
  return readRegular(path, maxBytes, headBytes);
}

}  // namespace tavro
