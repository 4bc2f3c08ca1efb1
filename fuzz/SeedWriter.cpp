// Writes the seed corpora of the fuzz targets into <out>/<target>/: valid
// files of every kind each reader takes, so that fuzzing starts from inputs
// that reach deep into the decoders.
#include <cstddef>
#include <cstdio>
#include <cstdlib>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
#include <png.h>

#include <filesystem>
#include <string>
#include <vector>

#include "skin/PictureFiles.h"

namespace fs = std::filesystem;
using tavro::testing::BmpFile;
using tavro::testing::Bytes;
using tavro::testing::PngFile;

namespace {

fs::path outRoot;

void write(const std::string& target, const std::string& name, const Bytes& bytes) {
  const fs::path folder = outRoot / target;
  fs::create_directories(folder);
  tavro::testing::writeFile((folder / name).string(), bytes);
}

void write(const std::string& target, const std::string& name, const std::string& text) {
  write(target, name, Bytes(text.begin(), text.end()));
}

Bytes filled(std::size_t n, unsigned char seed) {
  Bytes out(n);
  for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<unsigned char>(seed + i * 37);
  return out;
}

void bitmaps() {
  const std::vector<uint32_t> two = {0x000000, 0xFFFFFF};
  std::vector<uint32_t> sixteen, many;
  for (uint32_t i = 0; i < 16; ++i) sixteen.push_back(i * 0x111111);
  for (uint32_t i = 0; i < 256; ++i) many.push_back(i * 0x010101);

  BmpFile f;
  f.width = 5;
  f.height = 3;
  for (int bpp : {1, 4, 8, 16, 24, 32}) {
    f.bpp = bpp;
    f.palette = bpp == 1 ? two : bpp == 4 ? sixteen : bpp == 8 ? many : std::vector<uint32_t>{};
    const std::size_t stride = ((static_cast<std::size_t>(f.width) * bpp + 31) / 32) * 4;
    f.pixels = filled(stride * 3, static_cast<unsigned char>(bpp));
    write("bmp", "depth" + std::to_string(bpp) + ".bmp", tavro::testing::makeBmp(f));
  }
  // Top-down rows.
  f.height = -3;
  write("bmp", "topdown24.bmp", tavro::testing::makeBmp(f));
  f.height = 3;

  // Bit fields: 16-bit 565 and 32-bit with red in the low byte.
  f.bpp = 16;
  f.palette.clear();
  f.compression = 3;
  f.masks = {0xF800, 0x07E0, 0x001F};
  f.pixels = filled(12 * 3, 7);
  write("bmp", "bitfields565.bmp", tavro::testing::makeBmp(f));
  f.bpp = 32;
  f.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
  f.pixels = filled(20 * 3, 9);
  write("bmp", "bitfields32.bmp", tavro::testing::makeBmp(f));
  f.infoSize = 108;  // V4 header, masks inside it
  write("bmp", "v4header.bmp", tavro::testing::makeBmp(f));
  f.infoSize = 40;
  f.masks.clear();

  // RLE8: runs, an absolute run, a delta, line and picture ends.
  f.bpp = 8;
  f.compression = 1;
  f.palette = many;
  f.pixels = {3, 10, 0, 3, 1, 2, 3, 0, 0, 0, 2, 1, 1, 5, 20, 0, 0, 2, 9, 0, 1};
  write("bmp", "rle8.bmp", tavro::testing::makeBmp(f));
  // RLE4.
  f.bpp = 4;
  f.compression = 2;
  f.palette = sixteen;
  f.pixels = {5, 0x12, 0, 0, 0, 4, 0x34, 0x56, 0, 0, 3, 0x7F, 0, 1};
  write("bmp", "rle4.bmp", tavro::testing::makeBmp(f));

  // OS/2 core header with a 3-byte palette.
  BmpFile core;
  core.infoSize = 12;
  core.width = 4;
  core.height = 2;
  core.bpp = 8;
  core.palette = sixteen;
  core.pixels = filled(8, 3);
  write("bmp", "os2core.bmp", tavro::testing::makeBmp(core));
}

void pngs() {
  auto rows = [](int count, std::size_t length) {
    std::vector<Bytes> out;
    for (int r = 0; r < count; ++r) out.push_back(filled(length, static_cast<unsigned char>(r)));
    return out;
  };
  PngFile f;
  f.width = 4;
  f.height = 3;
  f.colorType = PNG_COLOR_TYPE_GRAY;
  f.rows = rows(3, 4);
  write("png", "grey.png", tavro::testing::makePng(f));
  f.transparentGrey = 0;
  write("png", "grey-trns.png", tavro::testing::makePng(f));
  f.transparentGrey = -1;
  f.colorType = PNG_COLOR_TYPE_RGB;
  f.rows = rows(3, 12);
  write("png", "rgb.png", tavro::testing::makePng(f));
  f.interlaced = true;
  write("png", "rgb-interlaced.png", tavro::testing::makePng(f));
  f.interlaced = false;
  f.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
  f.rows = rows(3, 16);
  write("png", "rgba.png", tavro::testing::makePng(f));
  f.bitDepth = 16;
  f.rows = rows(3, 32);
  write("png", "rgba16.png", tavro::testing::makePng(f));
  f.bitDepth = 8;
  f.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
  f.rows = rows(3, 8);
  write("png", "grey-alpha.png", tavro::testing::makePng(f));
  f.colorType = PNG_COLOR_TYPE_PALETTE;
  f.palette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  f.rows = {Bytes{0, 1, 2, 3}, Bytes{3, 2, 1, 0}, Bytes{1, 1, 2, 2}};
  write("png", "palette.png", tavro::testing::makePng(f));
  f.transparency = {0, 128, 255};
  write("png", "palette-trns.png", tavro::testing::makePng(f));
  f.bitDepth = 2;
  f.rows = {Bytes{0x1B}, Bytes{0xE4}, Bytes{0x55}};
  write("png", "palette2bit.png", tavro::testing::makePng(f));
}

Bytes jpeg(bool progressive, bool grey) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = 16;
  cinfo.image_height = 8;
  cinfo.input_components = grey ? 1 : 3;
  cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 50, TRUE);
  if (progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  const Bytes row = filled(16 * static_cast<std::size_t>(cinfo.input_components), 11);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW line = const_cast<unsigned char*>(row.data());
    jpeg_write_scanlines(&cinfo, &line, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

void jpegs() {
  write("jpeg", "baseline.jpg", jpeg(false, false));
  write("jpeg", "progressive.jpg", jpeg(true, false));
  write("jpeg", "grey.jpg", jpeg(false, true));
}

void configFiles() {
  std::string ini =
      "; skin of the handheld\r\n[Common]\r\nSkinDir=Graphics\\Skin\r\nGameWidth=561\r\n"
      "GameHeight=0x176\r\n\r\n[Fullscreen]\r\nBackdropDir=\"Graphics\\Backdrops\\\"\r\n"
      "BackdropFile=nil\r\nBackdropStretch=256\r\nBgColor=$00000000\r\nGameOffsetX=Center\r\n"
      "GameOffsetY=-40\r\nLogoFile=logo.png\r\nLogoPosition=3\r\n[VideoMode]\r\n"
      "TranspColor=$00ff00ff\r\n[Manual]\r\nManualDir=Graphics\\Manual\\\r\nManualWidth=415\r\n"
      "ManualHeight=270\r\n";
  for (int n = 1; n <= 81; ++n) {
    ini += "[Image" + std::to_string(n) + "]\r\nFilename=image" + std::to_string(n) +
           ".bmp\r\nLeft=" + std::to_string(n * 3) + "\r\nTop=x" + std::to_string(n) +
           "\r\nWidth=+10\r\nHeight=$A\r\n";
  }
  write("ini", "config.ini", ini);
  write("ini", "edges.ini",
        std::string("\xEF\xBB\xBF[common]\nGAMEWIDTH = 2000000000\ngameheight=-5\n[Common]\n"
                    "GameWidth=1\n[image1\nleft=4294967296\n[IMAGE1]\nLEFT=$FFFFFFFF\n"
                    "Top='7'\nWidth=\nHeight= 0X7fffffff \n"));

  write("hostpath", "skin.txt", std::string("Graphics\\skin\\BODY.bmp"));
  write("hostpath", "manual.txt", std::string("graphics\\MANUAL\\1.BMP"));
  write("hostpath", "doubled.txt", std::string("Graphics\\\\Skin\\.\\digit1.PNG"));

  write("settings", "Tavro50.conf",
        std::string("[General]\nSoundMode=2\nSplashScreen=0\nFullscreenMode=1\nHiScore1=120\n"
                    "HiScore2=-3\nKey1=16777234\nKey2=16777236\nKey3=49\nKey4=50\nKey5=84\n"));
  write("settings", "garbled.conf",
        std::string("[General\nSoundMode=@Variant(\\0\\0\\0\\x7f)\nHiScore1=\"12\nKey1=1, 2\n"
                    "[%General]\nKey2=99999999999\n"));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
    return 2;
  }
  outRoot = argv[1];
  bitmaps();
  pngs();
  jpegs();
  configFiles();
  return 0;
}
