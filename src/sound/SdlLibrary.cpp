#include "SdlLibrary.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace tavro {
namespace {

// The two platform steps: open a shared library by file name, find a symbol.
#if defined(_WIN32)
constexpr const char* kSdlFile = "SDL2.dll";

void* openShared(const char* file) {
  return reinterpret_cast<void*>(LoadLibraryA(file));
}

void* sharedSymbol(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}
#else
constexpr const char* kSdlFile = "libSDL2-2.0.so.0";

void* openShared(const char* file) {
  return dlopen(file, RTLD_NOW | RTLD_LOCAL);
}

void* sharedSymbol(void* library, const char* name) {
  return dlsym(library, name);
}
#endif

// Fills `member` from `library`; false when the symbol is missing.
template <typename Function>
bool resolve(void* library, const char* name, Function& member) {
  void* symbol = sharedSymbol(library, name);
  member = reinterpret_cast<Function>(symbol);
  return symbol != nullptr;
}

#define TAVRO_SDL_RESOLVE(name) ok = resolve(library, #name, table.name) && ok;

const SdlFunctions* openSdl() {
  void* library = openShared(kSdlFile);
  if (library == nullptr) {
    return nullptr;
  }
  static SdlFunctions table;
  bool ok = true;
  TAVRO_SDL_FUNCTIONS(TAVRO_SDL_RESOLVE)
  if (!ok) {
    return nullptr;
  }
  // Before any SDL_InitSubSystem or SDL_AudioInit: the program ends on SIGINT
  // and SIGTERM itself.
  table.SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  return &table;
}

#undef TAVRO_SDL_RESOLVE

}  // namespace

const SdlFunctions* sdlLibrary() {
  static const SdlFunctions* const table = openSdl();
  return table;
}

}  // namespace tavro
