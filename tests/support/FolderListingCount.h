#pragma once
// How often the program's code listed a folder: the test executables that
// link support/FolderListingCount.cpp are linked with -Wl,--wrap=opendir, so
// every opendir() of the code under test is counted here (Qt's own listings
// are not: they happen inside Qt's libraries).

#include <string>

namespace tavro::testing {

// Listings of `folder` (as passed to opendir) since the last reset.
int folderListings(const std::string& folder);
// The most listings of any one folder.
int mostFolderListings();
void resetFolderListings();

}  // namespace tavro::testing
