#pragma once
// SDL2 and SDL2_mixer opened at run time, the first time they are needed, so
// that a program that never plays a sound never loads them (nor the many
// libraries they bring in). The program includes their headers for types only
// and calls every function through the tables below.
//
// To use another function, add it to the list of its library: the table then
// has a member of that name and type, resolved when the library is opened.

#include <SDL.h>
#include <SDL_mixer.h>

namespace tavro {

// clang-format off
#define TAVRO_SDL_FUNCTIONS(X) \
  X(SDL_SetHint)               \
  X(SDL_SetHintWithPriority)   \
  X(SDL_ResetHint)             \
  X(SDL_getenv)                \
  X(SDL_InitSubSystem)         \
  X(SDL_QuitSubSystem)         \
  X(SDL_RWFromFile)            \
  X(SDL_LoadWAV_RW)            \
  X(SDL_FreeWAV)               \
  X(SDL_PollEvent)             \
  X(SDL_GameControllerOpen)    \
  X(SDL_GameControllerClose)   \
  X(SDL_GameControllerGetJoystick) \
  X(SDL_JoystickInstanceID)

#define TAVRO_MIXER_FUNCTIONS(X) \
  X(Mix_OpenAudio)               \
  X(Mix_CloseAudio)              \
  X(Mix_AllocateChannels)        \
  X(Mix_LoadWAV)                 \
  X(Mix_FreeChunk)               \
  X(Mix_PlayChannel)             \
  X(Mix_HaltChannel)
// clang-format on

#define TAVRO_SDL_MEMBER(name) decltype(&::name) name = nullptr;

// The SDL functions; every member is set once the table is handed out.
struct SdlFunctions {
  TAVRO_SDL_FUNCTIONS(TAVRO_SDL_MEMBER)
};

// The SDL2_mixer functions; every member is set once the table is handed out.
struct MixerFunctions {
  TAVRO_MIXER_FUNCTIONS(TAVRO_SDL_MEMBER)
};

#undef TAVRO_SDL_MEMBER

// SDL itself, opened on the first call; null when the library cannot be opened
// or lacks one of the functions. Opening it turns off SDL's own SIGINT and
// SIGTERM handlers, which would swallow those signals.
const SdlFunctions* sdlLibrary();

// SDL2_mixer (and SDL with it), opened on the first call; null when either
// library cannot be opened or lacks one of the functions.
const MixerFunctions* mixerLibrary();

}  // namespace tavro
