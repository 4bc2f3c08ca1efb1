#pragma once
// An FSOUND library for tests that writes down every call, with its
// arguments, and either hands out fake handles or forwards to the real one.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "sound/FsoundLibrary.h"

namespace tavro::testing {

class RecordingFsound : public FsoundLibrary {
 public:
  // With `forward` every call also goes to that library and its results are
  // returned; without it loads give distinct fake handles, except for files
  // named in `missing`.
  explicit RecordingFsound(FsoundLibrary* forward = nullptr) : forward_(forward) {}

  std::vector<std::string> calls;
  std::vector<std::string> missing;
  std::vector<int> playResults;

  // What the load of `file` returned; null also when it was never loaded.
  FSOUND_SAMPLE* loadedAs(const std::string& file) const {
    for (std::size_t i = 0; i < files_.size(); ++i) {
      if (files_[i] == file) return loaded_[i];
    }
    return nullptr;
  }

  // The fake handle of the n-th load (0-based).
  static FSOUND_SAMPLE* fake(int n) {
    return reinterpret_cast<FSOUND_SAMPLE*>(static_cast<uintptr_t>(0x1000 + 0x10 * n));
  }
  std::string name(FSOUND_SAMPLE* sample) const {
    for (size_t i = 0; i < loaded_.size(); ++i) {
      if (loaded_[i] == sample && sample != nullptr) {
        return "#" + std::to_string(i);
      }
    }
    return sample == nullptr ? "null" : "?";
  }

  bool Init(int mixrate, int channels, unsigned int flags) override {
    calls.push_back("Init(" + std::to_string(mixrate) + "," + std::to_string(channels) + "," +
                    std::to_string(flags) + ")");
    return forward_ ? forward_->Init(mixrate, channels, flags) : true;
  }
  bool SetOutput(int type) override {
    calls.push_back("SetOutput(" + std::to_string(type) + ")");
    return forward_ ? forward_->SetOutput(type) : true;
  }
  FSOUND_SAMPLE* Sample_Load(int index, const char* file, unsigned int mode, int offset,
                             int length) override {
    calls.push_back("Sample_Load(" + std::to_string(index) + "," + file + "," +
                    std::to_string(mode) + "," + std::to_string(offset) + "," +
                    std::to_string(length) + ")");
    FSOUND_SAMPLE* sample = nullptr;
    if (forward_) {
      sample = forward_->Sample_Load(index, file, mode, offset, length);
    } else if (std::find(missing.begin(), missing.end(), file) == missing.end()) {
      sample = fake(static_cast<int>(loaded_.size()));
    }
    loaded_.push_back(sample);
    files_.push_back(file);
    return sample;
  }
  int PlaySound(int channel, FSOUND_SAMPLE* sample) override {
    calls.push_back("PlaySound(" + std::to_string(channel) + "," + name(sample) + ")");
    const int result = forward_ ? forward_->PlaySound(channel, sample) : (sample ? 0 : -1);
    playResults.push_back(result);
    return result;
  }
  void Sample_Free(FSOUND_SAMPLE* sample) override {
    calls.push_back("Sample_Free(" + name(sample) + ")");
    if (forward_) {
      forward_->Sample_Free(sample);
    }
  }
  void Close() override {
    calls.push_back("Close()");
    if (forward_) {
      forward_->Close();
    }
  }

 private:
  FsoundLibrary* forward_;
  std::vector<FSOUND_SAMPLE*> loaded_;
  std::vector<std::string> files_;
};

}  // namespace tavro::testing
