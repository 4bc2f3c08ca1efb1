#include "shell/ErrorBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

#include "shell/WindowKit.h"

#include "shell/EndRequest.h"

namespace tavro {
namespace {
QString& title() {
  static QString t;
  return t;
}

MessageBoxHook& hook() {
  static MessageBoxHook h;
  return h;
}

// Whether the box can stand over its parent: a window that is shown and on
// the screen (not parked off it, as the device window is until it starts).
bool parentOnScreen(const QWidget* parent) {
  if (parent == nullptr || !parent->window()->isVisible()) {
    return false;
  }
  const QWidget* window = parent->window();
  const QScreen* screen = window->screen();
  return screen != nullptr && screen->geometry().intersects(window->frameGeometry());
}

// Without a parent on the screen the box is centred on the screen; its size
// is only known once it is about to be shown, before it is mapped.
class Box : public QMessageBox {
 public:
  // A parent not on the screen is no parent: a dialog of a window not shown
  // is lost to some window managers.
  Box(const QString& title, const QString& message, QWidget* parent)
      : QMessageBox(QMessageBox::Critical, title, message, QMessageBox::Ok,
                    parentOnScreen(parent) ? parent : nullptr),
        centre_(!parentOnScreen(parent)) {}

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    if (centre_) {
      centreOnPrimaryScreen(*this);
    }
  }

 private:
  bool centre_;
};

void show(const QString& title, const QString& message, QWidget* parent) {
  if (endRequested()) {
    return;  // the program is ending: no more boxes
  }
  if (hook()) {
    hook()(title, message);
    return;
  }
  Box box(title, message, parent);
  box.exec();
}
}  // namespace

QString applicationTitle() {
  return title();
}

void setApplicationTitle(const QString& t) {
  title() = t;
}

QString withFullStop(const QString& message) {
  if (!message.isEmpty() && message.back() > QChar('.')) {
    return message + QChar('.');
  }
  return message;
}

void showErrorBox(const QString& message, QWidget* parent) {
  show(applicationTitle(), withFullStop(message), parent);
}

void showFatalBox(const QString& message, QWidget* parent) {
  show(QStringLiteral("Error"), message, parent);
}

bool runHandler(const std::function<void()>& handler, QWidget* parent) {
  try {
    handler();
    return true;
  } catch (const std::exception& e) {
    showErrorBox(QString::fromUtf8(e.what()), parent);
  } catch (...) {
    showErrorBox(QStringLiteral("Unknown error"), parent);
  }
  return false;
}

void setMessageBoxHook(MessageBoxHook h) {
  hook() = std::move(h);
}

}  // namespace tavro
