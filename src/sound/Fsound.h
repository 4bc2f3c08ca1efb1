#pragma once
// A small stand-in for the six FSOUND functions of the FMOD 3 library, over
// SDL's own audio output and WAV loader, with a mixer of 64 voices. Null
// sample handles are harmless everywhere; closing without an init is
// harmless.

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

namespace tavro {

// A look into the layer for its tests and the benchmark; the program needs none.
// The rate of the open output, 0 while no output is open.
int fsoundOutputRate();
// The voices sounding now.
int fsoundVoicesPlaying();
// Silences every voice.
void fsoundStopVoices();

}  // namespace tavro
