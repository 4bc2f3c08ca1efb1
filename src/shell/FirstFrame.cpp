#include "shell/FirstFrame.h"

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

namespace tavro {
namespace {

// The work starts a moment after the first paint, so that the frame has
// reached the screen before the work holds the event loop.
constexpr int kSettleMs = 100;

// Watches the window for its first paint, then queues the work behind it (the
// paint is handed to the windowing system before the queue runs) and goes.
class FirstPaintWatch : public QObject {
 public:
  FirstPaintWatch(QWidget& window, std::function<void()> work)
      : QObject(&window), window_(window), work_(std::move(work)) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Paint) {
      window_.removeEventFilter(this);
      QTimer::singleShot(kSettleMs, &window_, std::move(work_));
      deleteLater();
    }
    return false;
  }

 private:
  QWidget& window_;
  std::function<void()> work_;
};

}  // namespace

void afterFirstFrame(QWidget& window, std::function<void()> work) {
  new FirstPaintWatch(window, std::move(work));
}

}  // namespace tavro
