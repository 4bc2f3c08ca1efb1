// Config.ini text of any kind through the whole skin checker, in a private
// skin folder with a few real and broken pictures, manual pages and sounds:
// the line and outline checks, the values, the pictures against the budgets,
// the places. Checks the output's promises: every problem prints as one line
// without control characters, of bounded length. A value that names an
// absolute folder or climbs out with ".." is first turned into a name inside
// the skin folder, so the check never reads outside it.
#include <sys/stat.h>
#include <unistd.h>

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "shell/SkinChecker.h"

namespace {

std::string root;

void write(const std::string& name, std::string_view bytes) {
  std::FILE* f = std::fopen((root + name).c_str(), "wb");
  if (f == nullptr) std::abort();
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

void picture(const std::string& name, int width, int height, const char* format) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(qRgb(255, 0, 255));
  if (!image.save(QString::fromStdString(root + name), format)) std::abort();
}

// Leading separators of each value become "_", ".." becomes "._".
std::string keptInside(std::string_view text) {
  std::string out(text);
  for (std::size_t at = 0; (at = out.find("..", at)) != std::string::npos;) out[at + 1] = '_';
  for (std::size_t line = 0; line < out.size();) {
    const std::size_t end = std::min(out.find('\n', line), out.size());
    std::size_t at = out.find('=', line);
    if (at < end) {
      while (++at < end &&
             (out[at] == ' ' || out[at] == '\t' || out[at] == '"' || out[at] == '\'')) {
      }
      for (; at < end && (out[at] == '\\' || out[at] == '/'); ++at) out[at] = '_';
    }
    line = end + 1;
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/tavro-fuzz-checker-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) std::abort();
  root = std::string(pattern) + "/";
  for (const char* folder :
       {"Graphics", "Graphics/Skin", "Graphics/Backdrops", "Graphics/Manual", "Sound"}) {
    ::mkdir((root + folder).c_str(), 0700);
  }
  picture("Graphics/Skin/Body.bmp", 8, 4, "BMP");
  picture("Graphics/Skin/Body@2x.bmp", 16, 8, "BMP");
  picture("Graphics/Skin/seg.png", 4, 3, "PNG");
  picture("Graphics/Skin/seg@2x.png", 5, 5, "PNG");
  picture("Graphics/Backdrops/logo.png", 6, 6, "PNG");
  write("Graphics/Skin/bad.bmp", "BM not a bitmap");
  write("Graphics/Skin/bad.jpg", "\xff\xd8\xff\xe0 not a JPEG");
  for (const char* page : {"1", "2", "3", "5", "6", "7", "8"}) {
    picture(std::string("Graphics/Manual/") + page + ".bmp", 8, 6, "BMP");
  }
  write("Graphics/Manual/4.bmp", "BM");
  write("Sound/Gameover.wav",
        std::string_view("RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x22\x56\0\0\x44\xac\0\0"
                         "\x02\0\x10\0data\0\0\0\0",
                         44));
  write("Sound/Got.wav", "not a sound");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  write("Config.ini", keptInside(std::string_view(reinterpret_cast<const char*>(data), size)));
  for (const tavro::SkinProblem& problem : tavro::checkSkin(root)) {
    const std::string line = tavro::formatProblem(problem);
    // A file name, a section and a key of at most 200 characters each, and a
    // message quoting at most two paths or values of 200: each character
    // printed as at most six.
    if (line.size() > 8192) __builtin_trap();
    for (const unsigned char c : line) {
      if (c < 0x20 || c == 0x7F) __builtin_trap();
    }
  }
  return 0;
}
