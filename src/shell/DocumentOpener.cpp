#include "shell/DocumentOpener.h"

#include <QDesktopServices>
#include <QDir>
#include <QProcess>

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
  if (QDesktopServices::openUrl(url)) {
    return;
  }
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  // Platform plugins without desktop services (offscreen, minimal) still
  // have the desktop's opener at hand.
  QProcess::startDetached(QStringLiteral("xdg-open"), {url.toString()});
#endif
  // Whatever happened, the outcome is not reported.
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
