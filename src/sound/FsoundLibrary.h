#pragma once
// The six FSOUND calls as one replaceable object. SoundSystem talks to the
// library through it; the default instance forwards to the real functions.

struct FSOUND_SAMPLE;

namespace tavro {

class FsoundLibrary {
 public:
  virtual ~FsoundLibrary() = default;
  virtual bool Init(int mixrate, int maxsoftwarechannels, unsigned int flags) = 0;
  virtual bool SetOutput(int outputtype) = 0;
  virtual FSOUND_SAMPLE* Sample_Load(int index, const char* name, unsigned int mode, int offset,
                                     int length) = 0;
  virtual int PlaySound(int channel, FSOUND_SAMPLE* sample) = 0;
  virtual void Sample_Free(FSOUND_SAMPLE* sample) = 0;
  virtual void Close() = 0;
};

// Forwards every call to the FSOUND functions.
class RealFsoundLibrary : public FsoundLibrary {
 public:
  bool Init(int mixrate, int maxsoftwarechannels, unsigned int flags) override;
  bool SetOutput(int outputtype) override;
  FSOUND_SAMPLE* Sample_Load(int index, const char* name, unsigned int mode, int offset,
                             int length) override;
  int PlaySound(int channel, FSOUND_SAMPLE* sample) override;
  void Sample_Free(FSOUND_SAMPLE* sample) override;
  void Close() override;
};

// The program's one forwarding instance.
FsoundLibrary& fsoundLibrary();

}  // namespace tavro
