// Measurements of the running program's parts that Google Benchmark cannot
// take: the game tick period against the monotonic clock (Device driven by the
// Qt timers, a player that never misses), and the time from a key press event
// to the repainted frame of the device window. Prints one "name value" line
// per figure, for scripts/bench-report.
//   bench_process [--ticks N] [--presses N]

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "device/Device.h"
#include "device/window/QtTimerBackend.h"
#include "device/ScriptedPlayer.h"
#include "device/VirtualClock.h"
#include "device/window/unit1.h"
#include "input/KeyTable.h"

namespace {

using Clock = std::chrono::steady_clock;

double msBetween(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

double percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  const auto at = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
  return values[std::min(at, values.size() - 1)];
}

struct NoDisplay : tavro::Display {
  void setVisible(tavro::SkinImage, bool) override {}
  void setDigit(tavro::SkinImage, int) override {}
};
struct NoSound : tavro::SoundCues {
  void play(tavro::Cue) override {}
};
struct NoScores : tavro::ScoreStore {
  void writeInteger(std::string_view, int32_t) override {}
};
struct NoonTime : tavro::LocalTime {
  tavro::LocalDateTime now() const override { return {2026, 12, 8, 12, 0, 0, 0}; }
};
struct Cycle : tavro::RandomSource {
  int draw4() override { return (n++ * 7 + 1) % 4; }
  int n = 0;
};

// Every Timer_Game tick is stamped; the score is held below 100 so that the
// period stays at game A's 250 ms.
class StampingSink : public tavro::TimerSink {
 public:
  StampingSink(tavro::Device& device, tavro::ScriptedPlayer& player, int ticks)
      : device_(device), player_(player), wanted_(ticks) {}
  void onTimer(tavro::TimerId id) override {
    if (id == tavro::TimerId::Game) {
      stamps.push_back(Clock::now());
      if (static_cast<int>(stamps.size()) > wanted_) QCoreApplication::quit();
    }
    device_.onTimer(id);
    if (device_.score >= 90) device_.score = 10;
    player_.act();
  }
  std::vector<Clock::time_point> stamps;

 private:
  tavro::Device& device_;
  tavro::ScriptedPlayer& player_;
  int wanted_;
};

void measureTicks(int ticks) {
  NoDisplay display;
  NoSound sound;
  NoScores scores;
  NoonTime time;
  Cycle random;
  tavro::QtTimerBackend timers;
  tavro::Device device(display, timers, sound, scores, time, random);
  tavro::VirtualClock unused;
  tavro::ScriptedPlayer player(device, unused, tavro::ScriptedPlayer::MissRule());
  StampingSink sink(device, player, ticks);
  timers.setSink(&sink);

  device.Gam_Set_Mode();     // segment test
  device.Inp_game_a_down();  // clock
  device.Inp_game_a_up();
  device.Inp_game_a_down();  // choose game A
  device.Inp_game_a_up();
  device.Inp_game_a_down();  // start it
  device.Inp_game_a_up();
  QApplication::exec();
  timers.setSink(nullptr);

  std::vector<double> errors;
  for (std::size_t i = 1; i < sink.stamps.size(); ++i) {
    errors.push_back(std::abs(msBetween(sink.stamps[i - 1], sink.stamps[i]) - 250.0));
  }
  if (errors.empty()) {
    std::printf("tick_count 0\n");
    return;
  }
  const std::size_t n = std::min<std::size_t>(errors.size(), static_cast<std::size_t>(ticks));
  const double total = msBetween(sink.stamps[0], sink.stamps[n]);
  std::printf("tick_count %zu\n", n);
  std::printf("tick_error_median_ms %.3f\n", percentile(errors, 0.5));
  std::printf("tick_error_p99_ms %.3f\n", percentile(errors, 0.99));
  std::printf("tick_total_ms %.3f\n", total);
  std::printf("tick_drift_percent %.4f\n",
              (total - 250.0 * static_cast<double>(n)) / (250.0 * static_cast<double>(n)) * 100.0);
  std::printf("tick_misses %d\n", device.misses);
}

// A skin in a private folder: a body, buttons and segments at their places.
void writeSkin(const QString& root) {
  QDir().mkpath(root + "/Graphics/Skin");
  QImage body(561, 374, QImage::Format_RGB32);
  body.fill(QColor(40, 60, 140));
  body.save(root + "/Graphics/Skin/body.bmp");
  QImage button(44, 44, QImage::Format_RGB32);
  button.fill(QColor(200, 40, 40));
  button.save(root + "/Graphics/Skin/button.bmp");
  QImage segment(24, 32, QImage::Format_RGB32);
  segment.fill(Qt::white);
  segment.save(root + "/Graphics/Skin/segment.bmp");
  std::string config = "[Common]\nGameWidth=561\nGameHeight=374\n";
  for (int n = 1; n <= 81; ++n) {
    const bool isButton = n >= 3 && n <= 13;
    const std::string file = n == 1 ? "body.bmp" : isButton ? "button.bmp" : "segment.bmp";
    const int left = n == 1 ? 0 : isButton ? 20 + (n % 2) * 8 : 150 + (n % 10) * 26;
    const int top = n == 1 ? 0 : isButton ? 20 + (n - 3) / 2 * 50 : 60 + (n / 10) * 24;
    const int w = n == 1 ? 561 : isButton ? 44 : 24;
    const int h = n == 1 ? 374 : isButton ? 44 : 32;
    config += "[Image" + std::to_string(n) + "]\nFilename=" + file +
              "\nLeft=" + std::to_string(left) + "\nTop=" + std::to_string(top) +
              "\nWidth=" + std::to_string(w) + "\nHeight=" + std::to_string(h) + "\n";
  }
  QFile ini(root + "/Config.ini");
  if (ini.open(QIODevice::WriteOnly)) ini.write(config.c_str());
}

class PaintCounter : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
  int paints = 0;
};

void measureKeyToPaint(int presses) {
  QTemporaryDir dir;
  writeSkin(dir.path());
  QDir::setCurrent(dir.path());
  setenv("TAVRO_CONFIG_DIR", dir.path().toLocal8Bit().constData(), 1);
  tavro::TForm1 form;
  form.fullscreen_mode = false;
  tavro::Gfx_Load_Skin(form);
  form.key_bindings[tavro::kLeft] = tavro::KeyBinding{39, 37};
  form.show();
  form.flush();
  QCoreApplication::processEvents();
  PaintCounter counter;
  form.installEventFilter(&counter);

  std::vector<double> press;
  for (int i = 0; i < presses; ++i) {
    int before = counter.paints;
    const Clock::time_point t0 = Clock::now();
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &down);
    // The pressed image shows: the frame is recomposed and painted from the
    // posted update.
    for (int round = 0; round < 100 && counter.paints == before; ++round) {
      QCoreApplication::processEvents();
    }
    if (counter.paints != before) press.push_back(msBetween(t0, Clock::now()));

    // A release is held back briefly (it may be half of an auto-repeat
    // pair): wait for its repaint before the next press.
    before = counter.paints;
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &up);
    const Clock::time_point limit = Clock::now() + std::chrono::milliseconds(500);
    while (counter.paints == before && Clock::now() < limit) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
  }
  if (press.empty()) {
    std::printf("key_paint_count 0\n");
    return;
  }
  std::printf("key_paint_count %zu\n", press.size());
  std::printf("key_paint_median_ms %.3f\n", percentile(press, 0.5));
  std::printf("key_paint_p99_ms %.3f\n", percentile(press, 0.99));
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int ticks = 400;
  int presses = 200;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--ticks") == 0) ticks = std::max(2, std::atoi(argv[i + 1]));
    if (std::strcmp(argv[i], "--presses") == 0) presses = std::max(1, std::atoi(argv[i + 1]));
  }
  QApplication app(argc, argv);
  measureKeyToPaint(presses);
  std::fflush(stdout);
  measureTicks(ticks);
  return 0;
}
