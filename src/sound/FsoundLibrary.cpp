#include "FsoundLibrary.h"

#include "Fsound.h"

namespace tavro {

bool RealFsoundLibrary::Init(int mixrate, int maxsoftwarechannels, unsigned int flags) {
  return FSOUND_Init(mixrate, maxsoftwarechannels, flags);
}

bool RealFsoundLibrary::SetOutput(int outputtype) {
  return FSOUND_SetOutput(outputtype);
}

FSOUND_SAMPLE* RealFsoundLibrary::Sample_Load(int index, const char* name, unsigned int mode,
                                              int offset, int length) {
  return FSOUND_Sample_Load(index, name, mode, offset, length);
}

int RealFsoundLibrary::PlaySound(int channel, FSOUND_SAMPLE* sample) {
  return FSOUND_PlaySound(channel, sample);
}

void RealFsoundLibrary::Sample_Free(FSOUND_SAMPLE* sample) {
  FSOUND_Sample_Free(sample);
}

void RealFsoundLibrary::Close() {
  FSOUND_Close();
}

FsoundLibrary& fsoundLibrary() {
  static RealFsoundLibrary library;
  return library;
}

}  // namespace tavro
