// The desktop hand-over behind the links and the document commands: a
// stand-in xdg-open first on PATH records what it is asked to open.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "shell/DocumentOpener.h"

namespace tavro {
namespace {

class AboutLinksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    previous_ = QDir::currentPath();
    previousPath_ = qgetenv("PATH");
    QDir::setCurrent(dir_.path());
    QFile script(dir_.filePath("xdg-open"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" >> '%1'\n")
                     .arg(dir_.filePath("opened.txt"))
                     .toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::copy(dir_.filePath("xdg-open"), dir_.filePath("xdg-email"));
    qputenv("PATH", dir_.path().toUtf8() + ":" + previousPath_);
  }
  void TearDown() override {
    QDir::setCurrent(previous_);
    qputenv("PATH", previousPath_);
  }
  // What the stand-in recorded; waits for the detached process to write it.
  QString recorded() {
    QFile f(dir_.filePath("opened.txt"));
    (void)QTest::qWaitFor([&] { return f.exists() && f.size() > 0; }, 5000);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll()).trimmed();
  }

  QTemporaryDir dir_;
  QString previous_;
  QByteArray previousPath_;
};

TEST_F(AboutLinksTest, DocumentIsTheFileOfTheWorkingDirectory) {
  EXPECT_EQ(DocumentOpener::documentUrl("Config.ini"),
            QUrl::fromLocalFile(QDir(dir_.path()).absoluteFilePath("Config.ini")));
  EXPECT_EQ(DocumentOpener::documentUrl("Readme.txt").toLocalFile(),
            QDir(dir_.path()).absoluteFilePath("Readme.txt"));
}

TEST_F(AboutLinksTest, OpeningADocumentRunsTheDesktopHandler) {
  DocumentOpener::openDocument("Config.ini");
  const QString got = recorded();
  EXPECT_TRUE(got.endsWith(QDir(dir_.path()).absoluteFilePath("Config.ini"))) << got.toStdString();
}

TEST_F(AboutLinksTest, HookSeesTheAddressInsteadOfTheDesktop) {
  QUrl seen;
  DocumentOpener::setHook([&](const QUrl& url) { seen = url; });
  DocumentOpener::openAddress("mailto:someone@example.org");
  DocumentOpener::setHook({});
  EXPECT_EQ(seen, QUrl("mailto:someone@example.org"));
  EXPECT_FALSE(QFile::exists(dir_.filePath("opened.txt")));
}

TEST_F(AboutLinksTest, MailAddressReachesTheDesktopUnchanged) {
  DocumentOpener::openAddress("mailto:someone@example.org");
  EXPECT_EQ(recorded(), "mailto:someone@example.org");
}

}  // namespace
}  // namespace tavro
