#pragma once
// The one way the program opens the files it reads (Config.ini, pictures,
// sounds): only regular files, or symbolic links to one, and only up to a
// size bound. A named pipe would block the reader and a device such as
// /dev/zero would never end, so anything else counts as no file at all.

#include <cstdint>
#include <string>

namespace tavro {

enum class FileStatus {
  Ok,          // a regular file within the bound
  Absent,      // nothing there, or nothing that can be looked at
  NotRegular,  // a folder, a named pipe, a device, a socket
  TooLarge,    // a regular file above the bound
  Unreadable,  // a regular file that could not be opened or read
};

// Looks at `path` (links followed) without opening it.
FileStatus checkRegularFile(const std::string& path, std::uint64_t maxBytes = UINT64_MAX);

struct FileContents {
  FileStatus status = FileStatus::Absent;
  std::string bytes;       // the whole file (or its head) when status is Ok
  std::uint64_t size = 0;  // the file's size when status is Ok
  int error = 0;           // the system's error number when Unreadable
};

// Reads a whole regular file of at most maxBytes. The path is looked at
// before it is opened and the opened file again, so a file swapped for a pipe
// in between is not read either; a file that grows past the bound while it is
// read is TooLarge.
FileContents readRegularFile(const std::string& path, std::uint64_t maxBytes);

// The same checks, but only the first headBytes of the file are read (bytes);
// size is the whole file's.
FileContents readRegularFileHead(const std::string& path, std::uint64_t maxBytes,
                                 std::size_t headBytes);

}  // namespace tavro
