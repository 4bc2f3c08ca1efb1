// Costs of one skin load's reading work: parsing Config.ini, resolving the
// picture paths (also in a very large folder) and decoding 81 pictures.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "skin/FolderListingScope.h"
#include "skin/IniFile.h"
#include "skin/Picture.h"

namespace {

// A skin folder like a real one: the device body, buttons and LCD segments,
// half of them PNG with alpha and half 24-bit bitmaps, plus its Config.ini.
struct SkinFolder {
  QTemporaryDir dir;
  std::string root;
  std::vector<std::string> windowsPaths;  // as Config.ini names them, letter case differing

  SkinFolder() {
    root = dir.path().toStdString();
    QDir(dir.path()).mkpath("Graphics/Skin");
    std::ofstream ini(root + "/Config.ini", std::ios::binary);
    ini << "[Common]\r\nSkinDir=Graphics\\Skin\\\r\nGameHeight=374\r\nGameWidth=561\r\n"
        << "[VideoMode]\r\nTranspColor=$00ff00ff\r\n";
    for (int n = 1; n <= 81; ++n) {
      const bool body = n == 1;
      QImage image(body ? 561 : 24 + n % 17, body ? 374 : 18 + n % 11, QImage::Format_ARGB32);
      image.fill(qRgba(n * 3, 255 - n, n, n % 2 ? 255 : 0));
      for (int y = 0; y < image.height(); y += 3)
        image.setPixel(y % image.width(), y, qRgb(0, 0, 0));
      const bool png = n % 2 == 1;
      const QString name = QString("Seg%1.%2").arg(n).arg(png ? "PNG" : "Bmp");
      if (!png) image = image.convertToFormat(QImage::Format_RGB888);
      image.save(dir.filePath("Graphics/Skin/" + name), png ? "PNG" : "BMP");
      const std::string lower = name.toLower().toStdString();
      windowsPaths.push_back(root + "\\graphics\\skin\\" + lower);
      ini << "\r\n; segment " << n << "\r\n[Image" << n << "]\r\nFilename=" << lower
          << "\r\nLeft=" << n * 5 << "\r\nTop=" << n * 3 << "\r\nWidth=" << image.width()
          << "\r\nHeight=" << image.height() << "\r\n";
    }
    ini << "[Manual]\r\nManualDir=Graphics\\Manual\\\r\nManualHeight=270\r\nManualWidth=415\r\n";
  }
};

SkinFolder& skin() {
  static SkinFolder folder;
  return folder;
}

void BM_ParseConfigAndReadEveryKey(benchmark::State& state) {
  const std::string path = skin().root + "/Config.ini";
  for (auto _ : state) {
    const std::optional<tavro::IniFile> ini = tavro::IniFile::open(path);
    int64_t sum = ini->readInteger("Common", "GameWidth", 561) +
                  ini->readInteger("Common", "GameHeight", 374) +
                  static_cast<int64_t>(ini->readString("Common", "SkinDir", "").size()) +
                  *tavro::parseIniInteger(ini->readString("VideoMode", "TranspColor", "0"));
    for (int n = 1; n <= 81; ++n) {
      const std::string section = "Image" + std::to_string(n);
      sum += static_cast<int64_t>(ini->readString(section, "Filename", "").size());
      sum += ini->readInteger(section, "Height", 0) + ini->readInteger(section, "Left", 0) +
             ini->readInteger(section, "Top", 0) + ini->readInteger(section, "Width", 0);
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_ParseConfigAndReadEveryKey)->Unit(benchmark::kMicrosecond);

void BM_ResolvePathsWithoutRegardToCase(benchmark::State& state) {
  for (auto _ : state) {
    for (const std::string& path : skin().windowsPaths) {
      benchmark::DoNotOptimize(tavro::fileExists(tavro::hostPath(path)));
    }
  }
}
BENCHMARK(BM_ResolvePathsWithoutRegardToCase)->Unit(benchmark::kMicrosecond);

// A skin folder of 100 000 files in which 81 names are missing (each picture's
// "@2x" name, say): outside a listing scope every lookup lists the folder, as
// every load once did; inside one (as a load now runs) the folder is listed once.
void BM_LookUp81MissingNamesAmong100000Files(benchmark::State& state) {
  static QTemporaryDir dir;
  static const std::string root = [] {
    const std::string path = dir.path().toStdString() + "/Skin/";
    QDir(dir.path()).mkpath("Skin");
    for (int i = 0; i < 100000; ++i) std::ofstream(path + "file" + std::to_string(i) + ".BMP");
    return path;
  }();
  for (auto _ : state) {
    std::optional<tavro::FolderListingScope> load;
    if (state.range(0) == 1) load.emplace();
    for (int n = 1; n <= 81; ++n) {
      benchmark::DoNotOptimize(tavro::hostPath(root + "seg" + std::to_string(n) + "@2x.bmp"));
    }
  }
}
BENCHMARK(BM_LookUp81MissingNamesAmong100000Files)
    ->ArgName("scope")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

void BM_DecodeSkinPictures(benchmark::State& state) {
  std::vector<std::string> hostPaths;
  for (const std::string& path : skin().windowsPaths) hostPaths.push_back(tavro::hostPath(path));
  for (auto _ : state) {
    for (const std::string& path : hostPaths) {
      benchmark::DoNotOptimize(tavro::loadPicture(path).image.constBits());
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(hostPaths.size()));
}
BENCHMARK(BM_DecodeSkinPictures)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
