#pragma once
// A whole program started from the ready-to-run folder (TAVRO_TEST_DIST) with
// a fresh settings store, message boxes and document opening recorded.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <cstdlib>
#include <memory>
#include <vector>

#include "device/window/unit1.h"
#include "shell/DocumentOpener.h"
#include "shell/ErrorBox.h"
#include "shell/Program.h"
#include "shell/splash.h"

namespace tavro::testing {

class ProgramFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(settingsDir_.isValid());
    previousCwd_ = QDir::currentPath();
    previousConfigLocation_ =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    previousXdg_ = qgetenv("XDG_CONFIG_HOME");
    previousConfigDir_ = qgetenv("TAVRO_CONFIG_DIR");
    qputenv("XDG_CONFIG_HOME", settingsDir_.path().toUtf8());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
    const char* dist = std::getenv("TAVRO_TEST_DIST");
    ASSERT_NE(dist, nullptr);
    dist_ = QString::fromLocal8Bit(dist);
    useConfigDir(dist_);
    ASSERT_TRUE(QDir::setCurrent(dist_));
    setMessageBoxHook(
        [this](const QString& title, const QString& text) { boxes.push_back(title + "|" + text); });
    DocumentOpener::setHook([this](const QUrl& url) { opened.push_back(url); });
    splash_pending = true;
  }

  void TearDown() override {
    program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QDir::setCurrent(previousCwd_);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, previousConfigLocation_);
    restore("XDG_CONFIG_HOME", previousXdg_);
    restore("TAVRO_CONFIG_DIR", previousConfigDir_);
    setMessageBoxHook({});
    DocumentOpener::setHook({});
    splash_pending = true;
  }

  static void useConfigDir(const QString& dir) { qputenv("TAVRO_CONFIG_DIR", dir.toUtf8()); }

  // Uses a copy of the program's Config.ini with one piece of text replaced.
  void useChangedConfig(const QByteArray& from, const QByteArray& to) {
    QFile source(dist_ + "/Config.ini");
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    QByteArray text = source.readAll();
    ASSERT_TRUE(text.contains(from));
    text.replace(from, to);
    QFile changed(changedConfigDir_.filePath("Config.ini"));
    ASSERT_TRUE(changed.open(QIODevice::WriteOnly));
    changed.write(text);
    changed.close();
    useConfigDir(changedConfigDir_.path());
  }

  static void store(const char* name, const char* value) {
    QSettings settings("Velquin", "Tavro50");
    settings.setValue(name, value);
    settings.sync();
  }
  static QString stored(const char* name) {
    return QSettings("Velquin", "Tavro50").value(name, "<absent>").toString();
  }

  // Starts the program and lets the event loop take its first turn.
  bool start() {
    program = std::make_unique<Program>();
    program->setEndAction([this] { ++ends; });
    const bool started = program->start();
    QCoreApplication::processEvents();
    return started;
  }
  // Starts on the skip path: an output stored, the launcher switched off.
  void startSkipping(bool fullscreen = true) {
    store("SoundMode", "2");
    store("SplashScreen", "0");
    store("FullscreenMode", fullscreen ? "1" : "0");
    ASSERT_TRUE(start());
  }

  TForm1& form() { return program->device(); }
  QPoint centred() {
    const QSize screen = form().screenSize();
    return QPoint(std::max(0, (screen.width() - form().clientWidth()) / 2),
                  std::max(0, (screen.height() - form().clientHeight()) / 2));
  }
  QPoint offScreen() {
    const QSize screen = form().screenSize();
    return QPoint(-screen.width(), -screen.height());
  }

  std::unique_ptr<Program> program;
  std::vector<QString> boxes;
  std::vector<QUrl> opened;
  int ends = 0;  // requests to end the program
  QString dist_;

 private:
  static void restore(const char* name, const QByteArray& value) {
    if (value.isNull()) {
      qunsetenv(name);
    } else {
      qputenv(name, value);
    }
  }

  QTemporaryDir settingsDir_;
  QTemporaryDir changedConfigDir_;
  QString previousCwd_;
  QString previousConfigLocation_;
  QByteArray previousXdg_;
  QByteArray previousConfigDir_;
};

}  // namespace tavro::testing
