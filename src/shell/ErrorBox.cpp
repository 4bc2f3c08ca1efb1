#include "shell/ErrorBox.h"

#include <QApplication>
#include <QMessageBox>

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

void show(const QString& title, const QString& message, QWidget* parent) {
  if (hook()) {
    hook()(title, message);
    return;
  }
  QMessageBox box(QMessageBox::Critical, title, message, QMessageBox::Ok, parent);
  box.exec();
}
}  // namespace

QString applicationTitle() { return title(); }

void setApplicationTitle(const QString& t) { title() = t; }

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

void setMessageBoxHook(MessageBoxHook h) { hook() = std::move(h); }

}  // namespace tavro
