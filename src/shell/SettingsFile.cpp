#include "shell/SettingsFile.h"

#include <QLockFile>
#include <QString>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <utility>

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tavro {

#if !defined(_WIN32)

namespace {

std::string systemError(int number) {
  return std::strerror(number);
}

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

// The file a write replaces: the target of a symbolic link, so that the link
// stays; the path itself otherwise (a link to nothing included).
std::string replacedFile(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* real = ::realpath(path.c_str(), nullptr);
  if (real == nullptr) return path;
  std::string target = real;
  std::free(real);
  return target;
}

bool writeAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Writes the bytes to a new file beside the target, puts it on the disk and
// renames it over the target. "" on success, else why not.
std::string replaceWith(const std::string& target, const std::string& bytes) {
  struct stat old {};
  const bool keepMode = ::stat(target.c_str(), &old) == 0;
  std::string temporary;
  int fd = -1;
  for (int n = 0; n < 100 && fd < 0; ++n) {
    temporary = target + ".new-" + std::to_string(::getpid()) + "-" + std::to_string(n);
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return "a new copy of it cannot be made (" + systemError(errno) + ")";
  if (keepMode) (void)::fchmod(fd, old.st_mode & 07777);
  const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
  const int writeError = errno;
  if (::close(fd) != 0 || !written) {
    const int error = written ? errno : writeError;
    ::unlink(temporary.c_str());
    return "a new copy of it cannot be written (" + systemError(error) + ")";
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    return "it cannot be replaced (" + systemError(error) + ")";
  }
  // The rename itself on the disk too.
  const int folder = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    (void)::fsync(folder);
    ::close(folder);
  }
  return {};
}

}  // namespace

SettingsFile::SettingsFile(std::string path) : path_(std::move(path)) {}

SettingsFile::Stamp SettingsFile::stampOf(const std::string& path) {
  struct stat info {};
  Stamp stamp;
  if (path.empty() || ::stat(path.c_str(), &info) != 0) return stamp;
  stamp.exists = true;
  stamp.device = static_cast<std::uint64_t>(info.st_dev);
  stamp.inode = static_cast<std::uint64_t>(info.st_ino);
  stamp.size = static_cast<std::uint64_t>(info.st_size);
  stamp.modifiedNs =
      static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  stamp.changedNs =
      static_cast<std::int64_t>(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec;
  return stamp;
}

const SettingsText& SettingsFile::current() {
  const Stamp now = stampOf(path_);
  if (read_ && now == stamp_) return text_;
  stamp_ = now;
  read_ = true;
  FileContents contents = now.exists ? readRegularFile(path_, kMaxBytes) : FileContents{};
  status_ = contents.status;
  error_ = contents.error;
  text_ = status_ == FileStatus::Ok ? SettingsText::parse(contents.bytes) : SettingsText();
  return text_;
}

// QLockFile reads a lock file it finds in order to judge whether it is stale:
// one that is a named pipe would never answer, one that is huge is no lock.
std::string SettingsFile::takeLockProblem(const std::string& lockPath) const {
  struct stat info {};
  if (::stat(lockPath.c_str(), &info) != 0) return {};
  if (!S_ISREG(info.st_mode)) return "its lock file " + nameOf(lockPath) + " is not a regular file";
  if (info.st_size > 4096) return "its lock file " + nameOf(lockPath) + " is not a lock file";
  return {};
}

std::string SettingsFile::unreadableReason() const {
  switch (status_) {
    case FileStatus::NotRegular:
      return "it is not a regular file";
    case FileStatus::TooLarge:
      return "it is larger than " + std::to_string(kMaxBytes / 1024) + " KB";
    case FileStatus::Unreadable:
      return "it cannot be read (" + systemError(error_) + ")";
    case FileStatus::Ok:
    case FileStatus::Absent:
      break;
  }
  return {};
}

bool SettingsFile::holds(const std::map<std::string, int32_t>& values) {
  current();
  if (status_ != FileStatus::Ok) return false;
  for (const auto& [key, value] : values) {
    if (text_.value(key) != std::to_string(value)) return false;
  }
  return true;
}

std::string SettingsFile::write(const std::map<std::string, int32_t>& values) {
  if (path_.empty()) return "neither XDG_CONFIG_HOME nor HOME names a folder for them";
  const std::string folder = folderOf(path_);
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return "its folder " + folder + " cannot be made (" + error.message() + ")";
  if (::access(folder.c_str(), W_OK) != 0) {
    return "the folder " + folder + " is not writable (" + systemError(errno) + ")";
  }

  if (holds(values)) return {};  // nothing to change: no lock, no write

  const std::string lockPath = path_ + ".lock";
  if (std::string why = takeLockProblem(lockPath); !why.empty()) return why;
  QLockFile lock(QString::fromLocal8Bit(lockPath.c_str()));
  if (!lock.tryLock(kLockWaitMs)) {
    const std::string name = nameOf(lockPath);
    if (lock.error() == QLockFile::LockFailedError) {
      return "its lock file " + name + " is held by another program or cannot be removed";
    }
    return "its lock file " + name + " cannot be made";
  }

  current();  // as another program may just have left it
  if (std::string why = unreadableReason(); !why.empty()) return why;
  SettingsText changed = text_;
  for (const auto& [key, value] : values) changed.setInteger(key, value);
  std::string bytes = changed.text();
  if (status_ == FileStatus::Ok && bytes == text_.text()) return {};  // holds them already
  if (std::string why = replaceWith(replacedFile(path_), bytes); !why.empty()) return why;
  text_ = std::move(changed);
  stamp_ = stampOf(path_);
  status_ = FileStatus::Ok;
  return {};
}

#else

// Windows keeps the settings in the registry (see SettingsStore).
SettingsFile::SettingsFile(std::string path) : path_(std::move(path)) {}
SettingsFile::Stamp SettingsFile::stampOf(const std::string&) {
  return {};
}
const SettingsText& SettingsFile::current() {
  return text_;
}
std::string SettingsFile::takeLockProblem(const std::string&) const {
  return {};
}
std::string SettingsFile::unreadableReason() const {
  return {};
}
std::string SettingsFile::write(const std::map<std::string, int32_t>&) {
  return "the settings live in the registry";
}

#endif

}  // namespace tavro
