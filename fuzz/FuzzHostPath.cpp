// Windows-style paths mapped onto a small private tree. Every input is made
// relative and the working directory is the private tree, so the lookups
// (which only stat and list folders) stay inside it; absolute paths and ".."
// are turned into plain names first.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "skin/IniFile.h"

namespace {

void makeTree() {
  char pattern[] = "/tmp/tavro-fuzz-paths-XXXXXX";
  const char* root = ::mkdtemp(pattern);
  if (root == nullptr || ::chdir(root) != 0) std::abort();
  ::mkdir("Graphics", 0700);
  ::mkdir("Graphics/Skin", 0700);
  ::mkdir("Graphics/skin", 0700);
  ::mkdir("Graphics/Manual", 0700);
  for (const char* file : {"Graphics/Skin/Body.BMP", "Graphics/Skin/body.bmp",
                           "Graphics/skin/Digit1.png", "Graphics/Manual/1.bmp", "Config.ini"}) {
    if (std::FILE* f = std::fopen(file, "wb")) std::fclose(f);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  makeTree();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string path(reinterpret_cast<const char*>(data), size);
  if (path.size() > 512) path.resize(512);
  // Keep the lookup inside the working directory: no root, no parent folder,
  // no NUL (which would cut the name short anyway).
  for (char& c : path) {
    if (c == '\0') c = '_';
  }
  while (!path.empty() && (path.front() == '\\' || path.front() == '/')) path.erase(0, 1);
  for (std::size_t at = path.find(".."); at != std::string::npos; at = path.find("..", at)) {
    path.replace(at, 2, "__");
  }
  if (path.size() >= 2 && path[1] == ':') path[1] = '_';  // drive letters

  const std::string mapped = tavro::hostPath(path);
  if (!mapped.empty() && mapped.front() == '/') __builtin_trap();  // left the tree
  (void)tavro::fileExists(mapped);
  (void)tavro::hostPath(tavro::makeFolder(path) + "body.bmp");
  return 0;
}
