// The floor that the program's start-up and memory are measured against: a
// bare Qt window of the device's size (or of the whole screen with
// --fullscreen) that paints one colour and then waits to be ended. It does
// what any Qt program must do to put a frameless window on the screen, and
// nothing more.

#include <QApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <cstring>

namespace {

// Far from anything the device's skin shows, so the measuring script can tell
// this window's first frame apart.
const QColor kFloorColour(0x20, 0x80, 0x40);

class FloorWindow : public QWidget {
 public:
  FloorWindow() : QWidget(nullptr, Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), kFloorColour);
  }
};

}  // namespace

int main(int argc, char** argv) {
  const bool fullscreen = argc > 1 && std::strcmp(argv[1], "--fullscreen") == 0;
  QApplication app(argc, argv);
  FloorWindow window;
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  if (fullscreen) {
    window.setGeometry(screen);
  } else {
    constexpr int kWidth = 561;
    constexpr int kHeight = 374;
    window.setGeometry(screen.x() + (screen.width() - kWidth) / 2,
                       screen.y() + (screen.height() - kHeight) / 2, kWidth, kHeight);
  }
  window.show();
  return QApplication::exec();
}
