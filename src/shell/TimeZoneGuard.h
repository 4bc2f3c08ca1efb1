#pragma once
// Called first in main(), before Qt or anything else can call tzset(): a TZ
// that names something that is there but is not a regular zone file (a named
// pipe or a terminal would block the C library's reading of it for good, a
// folder holds no zone) is replaced by "UTC0", which is what the C library
// makes of a TZ it cannot use. Returns whether TZ was replaced.

namespace tavro {

bool guardTimeZone();

}  // namespace tavro
