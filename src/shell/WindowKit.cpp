#include "shell/WindowKit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <exception>

#include "skin/BuiltinPictures.h"
#include "skin/Picture.h"

namespace tavro {
namespace {

std::function<void(const QWidget&)>& keyboardHome() {
  static std::function<void(const QWidget&)> home;
  return home;
}

// Watches its window for being minimised.
class MinimiseWatch : public QObject {
 public:
  explicit MinimiseWatch(QWidget& window) : QObject(&window), window_(window) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::WindowStateChange &&
        window_.isMinimized() && keyboardHome()) {
      keyboardHome()(window_);
    }
    return false;
  }

 private:
  QWidget& window_;
};

}  // namespace

void handKeyboardBackWhenMinimised(QWidget& window) {
  new MinimiseWatch(window);
}

void setKeyboardHome(std::function<void(const QWidget&)> home) {
  keyboardHome() = std::move(home);
}

void handKeyboardBack(const QWidget& window) {
  if (window.isVisible() && window.isActiveWindow() && keyboardHome()) {
    keyboardHome()(window);
  }
}

QFont arialFont(int pixels, bool bold, bool underline, bool italic) {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(pixels);
  f.setBold(bold);
  f.setUnderline(underline);
  f.setItalic(italic);
  return f;
}

QImage builtinImage(const char* name) {
  const builtin::Blob blob = builtin::picture(name);
  if (blob.empty()) return {};
  try {
    return decodeBuiltin(blob).image;
  } catch (const std::exception&) {
    return {};
  }
}

void centreOnPrimaryScreen(QWidget& window) {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  window.move(std::max(0, (screen.width() - window.width()) / 2),
              std::max(0, (screen.height() - window.height()) / 2));
}

}  // namespace tavro
