#include "shell/WavFileCheck.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace tavro {
namespace {

// A cue sound is a second or two; no sound the program plays comes near this.
constexpr std::uintmax_t kMaxWavSize = std::uintmax_t{64} << 20;

uint32_t le32(const std::vector<char>& b, std::size_t at) {
  auto byte = [&](std::size_t i) {
    return static_cast<uint32_t>(static_cast<unsigned char>(b[at + i]));
  };
  return byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
}

uint32_t le16(const std::vector<char>& b, std::size_t at) {
  return le32(b, at) & 0xFFFFu;
}

bool knownEncoding(uint32_t format) {
  // PCM, MS ADPCM, IEEE float, A-law, mu-law, IMA ADPCM, extensible.
  return format == 1 || format == 2 || format == 3 || format == 6 || format == 7 ||
         format == 0x11 || format == 0xFFFE;
}

}  // namespace

std::optional<std::string> wavFileProblem(const std::string& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (!std::filesystem::exists(status)) return "not found";
  if (!std::filesystem::is_regular_file(status)) return "not a regular file";
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kMaxWavSize) return "too large for a sound";
  std::ifstream file(path, std::ios::binary);
  const std::vector<char> b((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
  if (!file.good() && !file.eof()) return "cannot be read";
  if (b.size() < 12 || std::string(b.data(), 4) != "RIFF" ||
      std::string(b.data() + 8, 4) != "WAVE") {
    return "not a RIFF WAVE file";
  }
  bool format = false;
  bool data = false;
  for (std::size_t at = 12; at + 8 <= b.size();) {
    const std::string id(b.data() + at, 4);
    const uint32_t length = le32(b, at + 4);
    if (length > b.size() - at - 8) {
      if (id == "data") data = true;  // a cut-off data chunk still loads what is there
      break;
    }
    if (id == "fmt ") {
      if (length < 16) return "its format chunk is too short";
      const uint32_t encoding = le16(b, at + 8);
      if (!knownEncoding(encoding)) return "unknown encoding " + std::to_string(encoding);
      if (le16(b, at + 10) == 0 || le32(b, at + 12) == 0) return "no channels or no sample rate";
      format = true;
    } else if (id == "data") {
      data = true;
    }
    at += 8 + std::size_t{length} + (length & 1u);
  }
  if (!format) return "no format chunk";
  if (!data) return "no data chunk";
  return std::nullopt;
}

}  // namespace tavro
