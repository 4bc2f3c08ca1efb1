#include "SettingsStore.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>
#include <QtGlobal>
#include <charconv>

#include "ProductInfo.h"

namespace tavro {

namespace {

QString key(std::string_view name) {
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// Decimal text with an optional sign, nothing else but surrounding blanks.
bool parseInteger(const QString& text, int32_t& out) {
  const QByteArray bytes = text.trimmed().toLatin1();
  const char* first = bytes.constData();
  const char* last = first + bytes.size();
  if (first != last && *first == '+') {
    ++first;
  }
  if (first == last) {
    return false;
  }
  int32_t value = 0;
  const auto [end, error] = std::from_chars(first, last, value, 10);
  if (error != std::errc() || end != last) {
    return false;
  }
  out = value;
  return true;
}

#if !defined(Q_OS_WIN)
// $XDG_CONFIG_HOME/Velquin/Tavro50.conf, looked up at every opening so that
// a changed environment takes effect (QSettings keeps its own lookup from the
// first use for the life of the process).
QString confFilePath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/" +
         product::kOrganisation + "/" + product::kApplication + ".conf";
}
#endif

}  // namespace

SettingsStore::SettingsStore()
#if defined(Q_OS_WIN)
    : settings_(std::make_unique<QSettings>(product::kOrganisation, product::kApplication))
#else
    : settings_(std::make_unique<QSettings>(confFilePath(), QSettings::NativeFormat))
#endif
{
}

SettingsStore::~SettingsStore() = default;

int32_t SettingsStore::readInteger(std::string_view name, int32_t def) const {
  const QString k = key(name);
  if (healthy_) {
    settings_->sync();  // takes in a change made to the file since the last access
  } else if (const auto it = written_.find(k); it != written_.end()) {
    return it->second;  // the store could not keep it: this run's value
  }
  const QVariant value = settings_->value(k);
  if (!value.isValid() || !value.canConvert<QString>()) {
    return def;  // missing, or a type that has no text (a list, say)
  }
  int32_t parsed = 0;
  return parseInteger(value.toString(), parsed) ? parsed : def;
}

bool SettingsStore::readBool(std::string_view name, bool def) const {
  return readInteger(name, def ? 1 : 0) != 0;
}

void SettingsStore::writeInteger(std::string_view name, int32_t value) {
  const QString k = key(name);
  written_[k] = value;
  settings_->setValue(k, QString::number(value));
  settings_->sync();
  const QSettings::Status status = settings_->status();
  if (status == QSettings::NoError) {
    return;
  }
  if (healthy_) {
    const QString file = QDir::toNativeSeparators(settings_->fileName());
    if (status == QSettings::FormatError) {
      qWarning("Tavro50: %s held unreadable text; it was rewritten with the values it could read",
               qPrintable(file));
    } else {
      qWarning("Tavro50: settings cannot be saved to %s; changes last until the program ends",
               qPrintable(file));
    }
  }
  healthy_ = false;
}

void SettingsStore::writeBool(std::string_view name, bool value) {
  writeInteger(name, value ? 1 : 0);
}

bool SettingsStore::healthy() const {
  return healthy_;
}

QString SettingsStore::fileName() const {
  return settings_->fileName();
}

}  // namespace tavro
