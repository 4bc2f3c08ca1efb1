#pragma once
// A small stand-in for the six FSOUND functions of the FMOD 3 library, over
// SDL2_mixer with 64 channels. Null sample handles are harmless everywhere;
// closing without an init is harmless.

struct FSOUND_SAMPLE;

extern "C" {
bool FSOUND_Init(int mixrate, int maxsoftwarechannels, unsigned int flags);
bool FSOUND_SetOutput(int outputtype);  // 1 secondary output, 2 primary output
FSOUND_SAMPLE* FSOUND_Sample_Load(int index, const char* name, unsigned int mode, int offset,
                                  int length);
int FSOUND_PlaySound(int channel, FSOUND_SAMPLE* sample);
void FSOUND_Sample_Free(FSOUND_SAMPLE* sample);
void FSOUND_Close();
}

inline constexpr int FSOUND_FREE = -1;
inline constexpr unsigned int FSOUND_2D = 0x2000;
inline constexpr int FSOUND_OUTPUT_WINMM = 1;
inline constexpr int FSOUND_OUTPUT_DSOUND = 2;
