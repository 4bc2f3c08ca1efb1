#include "shell/SaveFailureNotice.h"

#include <QDir>
#include <QTimer>

#include "shell/ErrorBox.h"
#include "shell/SettingsStore.h"

namespace tavro {

SaveFailureNotice::SaveFailureNotice(SettingsStore& store) : store_(store) {
  store_.setFailureListener([this] { queue(); });
}

SaveFailureNotice::~SaveFailureNotice() {
  store_.setFailureListener({});
}

void SaveFailureNotice::arm() {
  armed_ = true;
  queue();
}

QString SaveFailureNotice::message(const SettingsStore& store) {
  const QString file = store.fileName();
  const QString where =
      file.isEmpty() ? QString() : QStringLiteral(" to ") + QDir::toNativeSeparators(file);
  return QStringLiteral(
             "Settings cannot be saved%1: %2.\n\nHigh scores, keys and options "
             "changed now are kept only until the program ends.")
      .arg(where, store.failure());
}

void SaveFailureNotice::queue() {
  if (!armed_ || queued_ || shown_ || store_.healthy()) {
    return;
  }
  queued_ = true;
  QTimer::singleShot(0, this, [this] {
    queued_ = false;
    if (shown_ || store_.healthy()) {
      return;  // saved meanwhile: nothing to tell
    }
    shown_ = true;
    showErrorBox(message(store_));
  });
}

}  // namespace tavro
