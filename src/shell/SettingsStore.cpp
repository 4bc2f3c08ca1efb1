#include "SettingsStore.h"

#include <QDir>
#include <QSettings>
#include <QVariant>
#include <QtGlobal>
#include <charconv>

#include "shell/ProductInfo.h"
#include "shell/SettingsFile.h"
#include "shell/SettingsLocation.h"

namespace tavro {

namespace {

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

}  // namespace

#if defined(_WIN32)

SettingsStore::SettingsStore()
    : settings_(std::make_unique<QSettings>(product::kOrganisation, product::kApplication)) {}

SettingsStore::~SettingsStore() = default;

int32_t SettingsStore::readInteger(std::string_view name, int32_t def) const {
  if (const auto it = unsaved_.find(std::string(name)); it != unsaved_.end()) {
    return it->second;
  }
  const QVariant value = settings_->value(QString::fromUtf8(name.data(), qsizetype(name.size())));
  if (!value.isValid() || !value.canConvert<QString>()) {
    return def;  // missing, or a type that has no text
  }
  int32_t parsed = 0;
  return parseInteger(value.toString(), parsed) ? parsed : def;
}

bool SettingsStore::save() {
  failure_.clear();
  for (const auto& [name, value] : unsaved_) {
    settings_->setValue(QString::fromStdString(name), QString::number(value));
  }
  settings_->sync();
  if (settings_->status() == QSettings::NoError) {
    return true;
  }
  failure_ = QStringLiteral("the registry key cannot be written");
  return false;
}

QString SettingsStore::fileName() const {
  return settings_->fileName();
}

#else

SettingsStore::SettingsStore() : file_(std::make_unique<SettingsFile>(settingsFilePath())) {}

SettingsStore::~SettingsStore() = default;

int32_t SettingsStore::readInteger(std::string_view name, int32_t def) const {
  if (const auto it = unsaved_.find(std::string(name)); it != unsaved_.end()) {
    return it->second;  // the file could not keep it: this run's value
  }
  const std::optional<std::string> text = file_->current().value(name);
  int32_t parsed = 0;
  return text && parseInteger(QString::fromStdString(*text), parsed) ? parsed : def;
}

bool SettingsStore::save() {
  const std::string why = file_->write(unsaved_);
  failure_ = QString::fromLocal8Bit(why.c_str());
  return why.empty();
}

QString SettingsStore::fileName() const {
  return QString::fromLocal8Bit(file_->path().c_str());
}

#endif

bool SettingsStore::readBool(std::string_view name, bool def) const {
  return readInteger(name, def ? 1 : 0) != 0;
}

void SettingsStore::writeInteger(std::string_view name, int32_t value) {
  writeIntegers({{std::string(name), value}});
}

void SettingsStore::writeIntegers(const std::map<std::string, int32_t>& values) {
  const bool wasHealthy = healthy();
  for (const auto& [name, value] : values) unsaved_[name] = value;
  if (save()) {
    unsaved_.clear();
    return;
  }
  if (wasHealthy) {
    qWarning("Tavro50: settings cannot be saved to %s: %s; changes last until the program ends",
             qPrintable(QDir::toNativeSeparators(fileName())), qPrintable(failure_));
  }
  if (failureListener_) {
    failureListener_();
  }
}

void SettingsStore::writeBool(std::string_view name, bool value) {
  writeInteger(name, value ? 1 : 0);
}

}  // namespace tavro
