// The settings file as arbitrary text: written as Tavro50.conf under a private
// XDG_CONFIG_HOME, then every value the program keeps is read through the
// store, and one is written back (the store must survive its own repair).
#include <unistd.h>

#include <sys/stat.h>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "shell/SettingsStore.h"

namespace {

std::string confFile;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/tavro-fuzz-settings-XXXXXX";
  const char* root = ::mkdtemp(pattern);
  if (root == nullptr) std::abort();
  ::setenv("XDG_CONFIG_HOME", root, 1);
  const std::string folder = std::string(root) + "/Velquin";
  ::mkdir(folder.c_str(), 0700);
  confFile = folder + "/Tavro50.conf";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (std::FILE* f = std::fopen(confFile.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  tavro::SettingsStore store;
  static const char* const kNames[] = {"SoundMode", "SplashScreen", "FullscreenMode", "HiScore1",
                                       "HiScore2",  "Key1",         "Key2",           "Key3",
                                       "Key4",      "Key5"};
  for (const char* name : kNames) {
    (void)store.readInteger(name, -7);
    (void)store.readBool(name, true);
  }
  // A write after reading garbled text: the value written must read back.
  if (size > 0 && (data[0] & 1) != 0) {
    store.writeInteger("HiScore1", 42);
    if (store.readInteger("HiScore1", 0) != 42) __builtin_trap();
  }
  return 0;
}
