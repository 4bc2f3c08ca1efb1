// Costs of the device window: loading a full 81-picture skin, composing a
// whole frame, repainting after one segment change, recomputing the shape.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdlib>
#include <string>

#include "device/window/unit1.h"

namespace {

using tavro::TForm1;

constexpr QRgb kKey = 0xffff00ff;

void save(const QString& path, const QImage& image) {
  QDir().mkpath(QFileInfo(path).path());
  image.save(path);
}

// A handheld-like skin: a rounded body on the key colour, buttons, segments.
std::string writeSkin(const QString& root) {
  const QString dir = root + "/Graphics/Skin/";
  QImage body(561, 374, QImage::Format_RGB32);
  body.fill(kKey);
  {
    QPainter p(&body);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(QColor(40, 60, 140));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRect(4, 4, 553, 366), 60, 60);
    p.setBrush(QColor(180, 190, 170));
    p.drawRect(QRect(150, 60, 260, 200));
  }
  save(dir + "body.bmp", body);
  QImage screen(260, 200, QImage::Format_ARGB32);
  screen.fill(QColor(255, 255, 255, 30));
  save(dir + "screen.png", screen);
  QImage button(44, 44, QImage::Format_RGB32);
  button.fill(QColor(200, 40, 40));
  save(dir + "button.bmp", button);
  QImage segment(24, 32, QImage::Format_RGB32);
  segment.fill(Qt::white);
  {
    QPainter p(&segment);
    p.fillRect(QRect(4, 4, 16, 24), QColor(20, 20, 20));
  }
  save(dir + "segment.bmp", segment);
  QImage segmentPng(24, 32, QImage::Format_ARGB32);
  segmentPng.fill(QColor(20, 20, 20, 200));
  save(dir + "segment.png", segmentPng);

  std::string config =
      "[Common]\nGameWidth=561\nGameHeight=374\n[VideoMode]\nTranspColor=$00ff00ff\n";
  for (int n = 1; n <= 81; ++n) {
    std::string file;
    int left = 0, top = 0, width = 0, height = 0;
    if (n == 1) {
      file = "body.bmp", width = 561, height = 374;
    } else if (n == 2) {
      file = "screen.png", left = 150, top = 60, width = 260, height = 200;
    } else if (n <= 13) {
      file = "button.bmp", left = 20 + (n % 2) * 8, top = 20 + (n - 3) / 2 * 50, width = 44,
      height = 44;
    } else {
      file = n % 2 ? "segment.bmp" : "segment.png";
      left = 150 + (n % 10) * 26, top = 60 + ((n - 14) / 10) * 24, width = 24, height = 32;
    }
    config += "[Image" + std::to_string(n) + "]\nFilename=" + file +
              "\nLeft=" + std::to_string(left) + "\nTop=" + std::to_string(top) +
              "\nWidth=" + std::to_string(width) + "\nHeight=" + std::to_string(height) + "\n";
  }
  return config;
}

struct Fixture {
  Fixture() {
    QDir::setCurrent(dir.path());
    setenv("TAVRO_CONFIG_DIR", dir.path().toLocal8Bit().constData(), 1);
    QFile ini(dir.path() + "/Config.ini");
    ini.open(QIODevice::WriteOnly);
    ini.write(QByteArray::fromStdString(writeSkin(dir.path())));
    ini.close();
    form.fullscreen_mode = false;
    tavro::Gfx_Load_Skin(form);
    form.flush();
  }
  QTemporaryDir dir;
  TForm1 form;
};

Fixture& fixture() {
  static Fixture f;
  return f;
}

void BM_LoadSkin81Pictures(benchmark::State& state) {
  TForm1& form = fixture().form;
  for (auto _ : state) {
    tavro::Gfx_Load_Skin(form);
    form.flush();
  }
}
BENCHMARK(BM_LoadSkin81Pictures)->Unit(benchmark::kMillisecond);

void BM_ComposeFullFrame(benchmark::State& state) {
  TForm1& form = fixture().form;
  form.device().device_mode = 0;
  form.device().Gam_Set_Mode();  // every segment shown
  form.flush();
  for (auto _ : state) {
    form.invalidateAll();
    form.flush();
  }
}
BENCHMARK(BM_ComposeFullFrame)->Unit(benchmark::kMicrosecond);

void BM_SegmentChange(benchmark::State& state) {
  TForm1& form = fixture().form;
  bool on = false;
  for (auto _ : state) {
    on = !on;
    form.setVisible(tavro::im_hero(2, 1), on);
    form.flush();
  }
}
BENCHMARK(BM_SegmentChange)->Unit(benchmark::kMicrosecond);

void BM_SegmentChangeAndPaint(benchmark::State& state) {
  TForm1& form = fixture().form;
  form.show();
  bool on = false;
  for (auto _ : state) {
    on = !on;
    form.setVisible(tavro::im_hero(2, 1), on);
    form.flush();
    form.repaint(QRect(150 + 5 * 26, 60 + 3 * 24, 24, 32));
  }
  form.hide();
}
BENCHMARK(BM_SegmentChangeAndPaint)->Unit(benchmark::kMicrosecond);

void BM_RecomputeWindowShape(benchmark::State& state) {
  TForm1& form = fixture().form;
  for (auto _ : state) {
    form.setTransparencyKeyEnabled(false);
    form.setTransparencyKeyEnabled(true);
    benchmark::DoNotOptimize(form.shapeRegion());
  }
}
BENCHMARK(BM_RecomputeWindowShape)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
