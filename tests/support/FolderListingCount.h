#pragma once
// How often the code under test listed a folder: the test executables that
// link FolderListingCount.cpp are linked with -Wl,--wrap=opendir, which counts
// every opendir() of our code (Qt's own listings happen inside Qt's libraries).

namespace tavro::testing {

// The most listings of any one folder since the last reset.
int mostFolderListings();
void resetFolderListings();

}  // namespace tavro::testing
