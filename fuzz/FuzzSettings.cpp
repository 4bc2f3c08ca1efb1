// The settings file as arbitrary bytes. The text alone: parsed and written
// back it is the same bytes; every value the program keeps reads without
// fault; setting values changes those and no other. Then the whole store on a
// private XDG_CONFIG_HOME: it reads the file, and a value written reads back.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "shell/SettingsStore.h"
#include "shell/SettingsText.h"

namespace {

std::string confFile;

const char* const kNames[] = {"SoundMode", "SplashScreen", "FullscreenMode", "HiScore1", "HiScore2",
                              "Key1",      "Key2",         "Key3",           "Key4",     "Key5"};

void checkText(const std::string& bytes, uint8_t choice) {
  tavro::SettingsText text = tavro::SettingsText::parse(bytes);
  if (text.text() != bytes) __builtin_trap();
  std::optional<std::string> before[10];
  for (int i = 0; i < 10; ++i) before[i] = text.value(kNames[i]);
  // Sets the keys whose bit is on in `choice` (the first eight).
  for (int i = 0; i < 8; ++i) {
    if ((choice >> i) & 1) text.setInteger(kNames[i], i * 1000 - 1);
  }
  const tavro::SettingsText again = tavro::SettingsText::parse(text.text());
  for (int i = 0; i < 10; ++i) {
    const bool set = i < 8 && ((choice >> i) & 1);
    const std::optional<std::string> now = again.value(kNames[i]);
    if (set ? now != std::to_string(i * 1000 - 1) : now != before[i]) __builtin_trap();
  }
}

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
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  checkText(bytes, size > 0 ? data[size - 1] : 0);

  if (std::FILE* f = std::fopen(confFile.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  tavro::SettingsStore store;
  for (const char* name : kNames) {
    (void)store.readInteger(name, -7);
    (void)store.readBool(name, true);
  }
  if (size > 0 && (data[0] & 1) != 0) {
    store.writeInteger("HiScore1", 42);
    if (store.readInteger("HiScore1", 0) != 42) __builtin_trap();
  }
  return 0;
}
