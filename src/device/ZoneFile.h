#pragma once
// The file the C library reads a time zone from, found as glibc finds it for
// a value of TZ: /etc/localtime without TZ (or for ":"), the path after an
// optional ':', or a name under TZDIR (by default /usr/share/zoneinfo); an
// empty TZ means "Universal". Allocates nothing.

namespace tavro {

// Writes the path to out (size bytes); false when it does not fit.
bool zoneFilePath(const char* tz, char* out, int size);

// True when something is at path but it is not a regular file (a named pipe,
// a terminal, a folder): the C library's reading of it could block for good.
bool isSpecialFile(const char* path);

}  // namespace tavro
