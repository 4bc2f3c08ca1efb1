#pragma once
// Folder listings kept for the length of one load (a skin load, a manual
// load, a skin check). Paths from Config.ini are looked up without regard to
// case by listing their folders; inside a scope each folder is listed at most
// once, however many names are looked up in it, found or not. Outside one,
// every lookup lists the folder afresh, so files added or renamed between
// loads are seen. Scopes nest (the listings go when the outermost one ends)
// and belong to the thread that opened them.

#include <optional>
#include <string>
#include <string_view>

namespace tavro {

class FolderListingScope {
 public:
  FolderListingScope();
  ~FolderListingScope();
  FolderListingScope(const FolderListingScope&) = delete;
  FolderListingScope& operator=(const FolderListingScope&) = delete;

  // The entry of `folder` ("" is the working directory; otherwise it ends in
  // "/") whose name equals `name` without regard to ASCII case. Where several
  // do, the first in byte order. nullopt when there is none, when the folder
  // cannot be listed, and on Windows, whose file system already ignores case.
  static std::optional<std::string> findIgnoringCase(const std::string& folder,
                                                     std::string_view name);
};

}  // namespace tavro
