#pragma once
// SDL2 opened at run time, the first time it is needed, so that a program
// that never plays a sound nor sees a game controller never loads it (nor the
// many libraries it brings in). The program includes its header for types
// only and calls every function through the table below.
//
// To use another function, add it to the list: the table then has a member of
// that name and type, resolved when the library is opened.

#include <SDL.h>

namespace tavro {

// clang-format off
#define TAVRO_SDL_FUNCTIONS(X) \
  X(SDL_SetHint)               \
  X(SDL_getenv)                \
  X(SDL_InitSubSystem)         \
  X(SDL_QuitSubSystem)         \
  X(SDL_RWFromFile)            \
  X(SDL_LoadWAV_RW)            \
  X(SDL_FreeWAV)               \
  X(SDL_GetError)              \
  X(SDL_BuildAudioCVT)         \
  X(SDL_ConvertAudio)          \
  X(SDL_AudioInit)             \
  X(SDL_AudioQuit)             \
  X(SDL_OpenAudioDevice)       \
  X(SDL_PauseAudioDevice)      \
  X(SDL_LockAudioDevice)       \
  X(SDL_UnlockAudioDevice)     \
  X(SDL_CloseAudioDevice)      \
  X(SDL_PollEvent)             \
  X(SDL_GameControllerOpen)    \
  X(SDL_GameControllerClose)   \
  X(SDL_GameControllerGetJoystick) \
  X(SDL_JoystickInstanceID)
// clang-format on

#define TAVRO_SDL_MEMBER(name) decltype(&::name) name = nullptr;

// The SDL functions; every member is set once the table is handed out.
struct SdlFunctions {
  TAVRO_SDL_FUNCTIONS(TAVRO_SDL_MEMBER)
};

#undef TAVRO_SDL_MEMBER

// SDL itself, opened on the first call; null when the library cannot be opened
// or lacks one of the functions. Opening it turns off SDL's own SIGINT and
// SIGTERM handlers, which would swallow those signals.
const SdlFunctions* sdlLibrary();

}  // namespace tavro
