#include "shell/DocumentOpener.h"

#include <QDesktopServices>
#include <QDir>

namespace tavro {
namespace {
DocumentOpener::Hook& hook() {
  static DocumentOpener::Hook h;
  return h;
}

void open(const QUrl& url) {
  if (hook()) {
    hook()(url);
    return;
  }
  QDesktopServices::openUrl(url);  // failures are silent by design
}
}  // namespace

QUrl DocumentOpener::documentUrl(const QString& name) {
  return QUrl::fromLocalFile(QDir::current().absoluteFilePath(name));
}

void DocumentOpener::openDocument(const QString& name) {
  open(documentUrl(name));
}

void DocumentOpener::openAddress(const QString& address) {
  open(QUrl(address));
}

void DocumentOpener::setHook(Hook h) {
  hook() = std::move(h);
}

}  // namespace tavro
