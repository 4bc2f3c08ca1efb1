// The manual viewer: paging by keys and drawn buttons, pages turning on
// release, dragging, reopening, button places and the drawing of pages.
#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "shell/ErrorBox.h"
#include "shell/manual.h"

namespace tavro {
namespace {

const QColor kPage1(0, 160, 0);

class ManualFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    previous_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    QDir().mkpath("Pages");
    setMessageBoxHook(
        [this](const QString& t, const QString& m) { boxes_.push_back(t + "|" + m); });
  }
  void TearDown() override {
    QDir::setCurrent(previous_);
    setMessageBoxHook({});
  }

  void writeConfig(const QByteArray& text) {
    QFile f(dir_.filePath("Config.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
  }
  void writePage(int n, QSize size, QColor colour) {
    QImage page(size, QImage::Format_RGB32);
    page.fill(colour);
    ASSERT_TRUE(page.save(QStringLiteral("Pages/%1.bmp").arg(n), "BMP"));
  }
  // A config with the given size and all eight pages, page N in grey level 20 * N.
  std::unique_ptr<TManualForm> createWithPages(int width = 415, int height = 270) {
    writeConfig(QStringLiteral("[Manual]\nManualDir=Pages\nManualWidth=%1\nManualHeight=%2\n")
                    .arg(width)
                    .arg(height)
                    .toUtf8());
    writePage(1, {width, height}, kPage1);
    for (int n = 2; n <= 8; ++n) writePage(n, {width, height}, QColor(20 * n, 20 * n, 20 * n));
    return create();
  }
  std::unique_ptr<TManualForm> create() {
    return std::make_unique<TManualForm>(dir_.filePath("Config.ini").toStdString());
  }

  // Sends a key event; a plain release is then given the moment it waits
  // for a possible auto-repeat press.
  static void key(TManualForm* w, QEvent::Type type, int k, bool autoRepeat = false) {
    QKeyEvent e(type, k, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(w, &e);
    if (type == QEvent::KeyRelease && !autoRepeat) {
      EXPECT_TRUE(QTest::qWaitFor([w] { return !w->keyReleasePending(); }, 2000));
    }
  }
  static void mouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, QPoint at,
                    Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
  }
  static QPoint centreOf(const TManualForm& f, ManualButton b) { return f.buttonRect(b).center(); }

  QTemporaryDir dir_;
  QString previous_;
  std::vector<QString> boxes_;
};

TEST_F(ManualFormTest, ArrowsAreHiddenAtTheFirstAndLastPage) {
  auto form = createWithPages();
  form->showManual();
  EXPECT_EQ(form->currentPage(), 1);
  EXPECT_FALSE(form->buttonVisible(ManualButton::LeftUp));
  EXPECT_FALSE(form->buttonVisible(ManualButton::LeftDown));
  EXPECT_TRUE(form->buttonVisible(ManualButton::RightUp));
  key(form.get(), QEvent::KeyPress, Qt::Key_Left);
  key(form.get(), QEvent::KeyRelease, Qt::Key_Left);
  EXPECT_EQ(form->currentPage(), 1);

  for (int i = 0; i < 10; ++i) {
    key(form.get(), QEvent::KeyPress, Qt::Key_Right);
    key(form.get(), QEvent::KeyRelease, Qt::Key_Right);
  }
  EXPECT_EQ(form->currentPage(), 8);
  EXPECT_FALSE(form->buttonVisible(ManualButton::RightUp));
  EXPECT_FALSE(form->buttonVisible(ManualButton::RightDown));
  EXPECT_TRUE(form->buttonVisible(ManualButton::LeftUp));
}

TEST_F(ManualFormTest, PagesTurnOnReleaseAndAHeldKeyTurnsOne) {
  auto form = createWithPages();
  form->showManual();
  key(form.get(), QEvent::KeyPress, Qt::Key_Right);
  EXPECT_EQ(form->currentPage(), 1);
  EXPECT_FALSE(form->buttonVisible(ManualButton::RightUp));  // looks pressed
  EXPECT_TRUE(form->buttonVisible(ManualButton::RightDown));
  for (int i = 0; i < 5; ++i) {  // auto-repeat: release/press pairs
    key(form.get(), QEvent::KeyRelease, Qt::Key_Right, true);
    key(form.get(), QEvent::KeyPress, Qt::Key_Right, true);
  }
  EXPECT_EQ(form->currentPage(), 1);
  key(form.get(), QEvent::KeyRelease, Qt::Key_Right);
  EXPECT_EQ(form->currentPage(), 2);
  EXPECT_TRUE(form->buttonVisible(ManualButton::RightUp));
  EXPECT_TRUE(form->buttonVisible(ManualButton::LeftUp));

  key(form.get(), QEvent::KeyPress, Qt::Key_Left);
  key(form.get(), QEvent::KeyRelease, Qt::Key_Left);
  EXPECT_EQ(form->currentPage(), 1);
}

TEST_F(ManualFormTest, RepeatPairsWithoutTheRepeatFlagStillTurnOnePage) {
  auto form = createWithPages();
  form->showManual();
  key(form.get(), QEvent::KeyPress, Qt::Key_Right);
  for (int i = 0; i < 5; ++i) {  // X11 does not always flag the pair
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &release);
    key(form.get(), QEvent::KeyPress, Qt::Key_Right);
  }
  EXPECT_EQ(form->currentPage(), 1);
  EXPECT_FALSE(form->buttonVisible(ManualButton::RightUp));
  key(form.get(), QEvent::KeyRelease, Qt::Key_Right);
  EXPECT_EQ(form->currentPage(), 2);
}

TEST_F(ManualFormTest, EscapeHidesOnReleaseAndReopeningKeepsPageAndPlace) {
  auto form = createWithPages();
  form->showManual();
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(form->pos(), QPoint((screen.width() - 415) / 2, (screen.height() - 270) / 2));
  for (int i = 0; i < 4; ++i) {
    key(form.get(), QEvent::KeyPress, Qt::Key_Right);
    key(form.get(), QEvent::KeyRelease, Qt::Key_Right);
  }
  form->move(30, 40);
  key(form.get(), QEvent::KeyPress, Qt::Key_Escape);
  EXPECT_TRUE(form->isVisible());
  EXPECT_FALSE(form->buttonVisible(ManualButton::CloseUp));
  key(form.get(), QEvent::KeyRelease, Qt::Key_Escape);
  EXPECT_FALSE(form->isVisible());
  EXPECT_TRUE(form->buttonVisible(ManualButton::CloseUp));

  form->showManual();
  EXPECT_EQ(form->currentPage(), 5);
  EXPECT_EQ(form->pos(), QPoint(30, 40));
}

TEST_F(ManualFormTest, ButtonsKeepTheirCornerDistances) {
  auto form = createWithPages(600, 400);
  EXPECT_EQ(form->size(), QSize(600, 400));
  EXPECT_EQ(form->buttonRect(ManualButton::CloseUp), QRect(580, 4, 16, 14));
  EXPECT_EQ(form->buttonRect(ManualButton::CloseDown), QRect(580, 4, 16, 14));
  EXPECT_EQ(form->buttonRect(ManualButton::LeftUp), QRect(4, 382, 16, 14));
  EXPECT_EQ(form->buttonRect(ManualButton::RightUp), QRect(580, 382, 16, 14));
}

TEST_F(ManualFormTest, PressMovedOffTheArrowStillTurnsThePage) {
  auto form = createWithPages();
  form->showManual();
  const QPoint arrow = centreOf(*form, ManualButton::RightUp);
  mouse(form.get(), QEvent::MouseButtonPress, Qt::LeftButton, arrow, Qt::LeftButton);
  EXPECT_FALSE(form->buttonVisible(ManualButton::RightUp));
  EXPECT_EQ(form->currentPage(), 1);
  const QPoint before = form->pos();
  mouse(form.get(), QEvent::MouseMove, Qt::NoButton, {100, 100}, Qt::LeftButton);
  EXPECT_EQ(form->pos(), before);  // a press on a button does not drag
  mouse(form.get(), QEvent::MouseButtonRelease, Qt::LeftButton, {-50, 500}, Qt::NoButton);
  EXPECT_EQ(form->currentPage(), 2);
}

TEST_F(ManualFormTest, OtherMouseButtonsDoNothing) {
  auto form = createWithPages();
  form->showManual();
  const QPoint arrow = centreOf(*form, ManualButton::RightUp);
  mouse(form.get(), QEvent::MouseButtonPress, Qt::RightButton, arrow, Qt::RightButton);
  EXPECT_TRUE(form->buttonVisible(ManualButton::RightUp));
  mouse(form.get(), QEvent::MouseButtonRelease, Qt::RightButton, arrow, Qt::NoButton);
  EXPECT_EQ(form->currentPage(), 1);
  const QPoint close = centreOf(*form, ManualButton::CloseUp);
  mouse(form.get(), QEvent::MouseButtonPress, Qt::MiddleButton, close, Qt::MiddleButton);
  mouse(form.get(), QEvent::MouseButtonRelease, Qt::MiddleButton, close, Qt::NoButton);
  EXPECT_TRUE(form->isVisible());
}

TEST_F(ManualFormTest, CloseButtonHidesOnRelease) {
  auto form = createWithPages();
  form->showManual();
  const QPoint close = centreOf(*form, ManualButton::CloseUp);
  mouse(form.get(), QEvent::MouseButtonPress, Qt::LeftButton, close, Qt::LeftButton);
  EXPECT_TRUE(form->isVisible());
  mouse(form.get(), QEvent::MouseButtonRelease, Qt::LeftButton, close, Qt::NoButton);
  EXPECT_FALSE(form->isVisible());
}

TEST_F(ManualFormTest, HiddenArrowTakesNoPressAndThePageDragsInstead) {
  auto form = createWithPages();
  form->showManual();
  form->move(200, 150);
  const QPoint hiddenLeft = centreOf(*form, ManualButton::LeftUp);
  mouse(form.get(), QEvent::MouseButtonPress, Qt::LeftButton, hiddenLeft, Qt::LeftButton);
  mouse(form.get(), QEvent::MouseMove, Qt::NoButton, hiddenLeft + QPoint(10, -20), Qt::LeftButton);
  mouse(form.get(), QEvent::MouseButtonRelease, Qt::LeftButton, hiddenLeft, Qt::NoButton);
  EXPECT_EQ(form->currentPage(), 1);
  EXPECT_EQ(form->pos(), QPoint(210, 130));
  mouse(form.get(), QEvent::MouseMove, Qt::NoButton, {50, 50}, Qt::NoButton);
  EXPECT_EQ(form->pos(), QPoint(210, 130));  // moves without the button do nothing
}

TEST_F(ManualFormTest, MissingPageShowsTheMarkerWithPageOneAround) {
  writeConfig("[Manual]\nManualDir=Pages\\\n");
  writePage(1, {415, 270}, kPage1);
  auto form = create();
  EXPECT_TRUE(boxes_.empty());
  form->showManual();
  key(form.get(), QEvent::KeyPress, Qt::Key_Right);
  key(form.get(), QEvent::KeyRelease, Qt::Key_Right);
  const QImage frame = form->grab().toImage();
  EXPECT_EQ(QColor(frame.pixel(5, 5)), QColor(255, 0, 0));
  EXPECT_EQ(QColor(frame.pixel(9, 5)), QColor(Qt::black));  // the marker's border
  EXPECT_EQ(QColor(frame.pixel(30, 30)), kPage1);
  EXPECT_EQ(QColor(frame.pixel(0, 100)), QColor(Qt::black));  // the window's frame
}

TEST_F(ManualFormTest, SmallPageShowsPageOneAndThenWhiteAround) {
  writeConfig("[Manual]\nManualDir=Pages\n");
  writePage(1, {200, 100}, kPage1);
  writePage(2, {50, 40}, QColor(0, 0, 200));
  auto form = create();
  form->showManual();
  key(form.get(), QEvent::KeyPress, Qt::Key_Right);
  key(form.get(), QEvent::KeyRelease, Qt::Key_Right);
  const QImage frame = form->grab().toImage();
  EXPECT_EQ(QColor(frame.pixel(20, 20)), QColor(0, 0, 200));
  EXPECT_EQ(QColor(frame.pixel(100, 50)), kPage1);
  EXPECT_EQ(QColor(frame.pixel(300, 150)), QColor(Qt::white));
}

TEST_F(ManualFormTest, InvalidBitmapStopsLoadingWithAnErrorBox) {
  writeConfig("[Manual]\nManualDir=Pages\n");
  writePage(1, {415, 270}, kPage1);
  writePage(2, {415, 270}, kPage1);
  QFile bad(dir_.filePath("Pages/3.bmp"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("not a bitmap at all");
  bad.close();
  writePage(4, {415, 270}, kPage1);
  auto form = create();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_TRUE(boxes_[0].endsWith("|Bitmap image is not valid."));
  EXPECT_FALSE(form->pageImage(2).isNull());
  for (int n = 3; n <= 8; ++n) EXPECT_TRUE(form->pageImage(n).isNull()) << n;
}

TEST_F(ManualFormTest, PagesAreCheckedAtCreationAndDecodedAtTheFirstShow) {
  auto form = createWithPages();
  EXPECT_TRUE(boxes_.empty());
  EXPECT_TRUE(form->pagesWaiting());
  form->showManual();
  EXPECT_FALSE(form->pagesWaiting());
  EXPECT_EQ(QColor(form->grab().toImage().pixel(30, 30)), kPage1);
  key(form.get(), QEvent::KeyPress, Qt::Key_Right);
  key(form.get(), QEvent::KeyRelease, Qt::Key_Right);
  EXPECT_EQ(QColor(form->grab().toImage().pixel(30, 30)), QColor(40, 40, 40));
  EXPECT_TRUE(boxes_.empty());
}

// Each way a page can be broken is found at creation, with the box at that
// moment and the text decoding gives, and leaves the pages from it on empty.
TEST_F(ManualFormTest, BrokenPagesGiveTheirBoxAtCreation) {
  const std::vector<std::pair<const char*, std::function<void(QFile&)>>> breakages = {
      {"not a bitmap", [](QFile& f) { f.resize(0), f.write("not a bitmap at all"); }},
      {"rows cut off", [](QFile& f) { f.resize(f.size() / 2); }},
      {"header only", [](QFile& f) { f.resize(54); }},
      {"unknown depth", [](QFile& f) { f.seek(28), f.write("\x07\x00", 2); }},
  };
  for (const auto& [what, breakPage] : breakages) {
    SCOPED_TRACE(what);
    boxes_.clear();
    writeConfig("[Manual]\nManualDir=Pages\n");
    for (int n = 1; n <= 8; ++n) writePage(n, {415, 270}, n == 1 ? kPage1 : QColor(9, 9, 9));
    QFile page(dir_.filePath("Pages/3.bmp"));
    ASSERT_TRUE(page.open(QIODevice::ReadWrite));
    breakPage(page);
    page.close();
    auto form = create();
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_TRUE(boxes_[0].endsWith("|Bitmap image is not valid."));
    form->showManual();
    EXPECT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(form->pageImage(2).size(), QSize(415, 270));
    for (int n = 3; n <= 8; ++n) EXPECT_TRUE(form->pageImage(n).isNull()) << n;
    form->hide();
  }
}

// A page file that turns bad between creation and the first show: its error
// comes at that show, and the pages from it on stay empty.
TEST_F(ManualFormTest, PageBrokenAfterCreationGivesItsBoxAtTheFirstShow) {
  auto form = createWithPages();
  QFile page(dir_.filePath("Pages/5.bmp"));
  ASSERT_TRUE(page.open(QIODevice::ReadWrite));
  page.resize(100);
  page.close();
  EXPECT_TRUE(boxes_.empty());
  form->showManual();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_TRUE(boxes_[0].endsWith("|Bitmap image is not valid."));
  EXPECT_FALSE(form->pageImage(4).isNull());
  for (int n = 5; n <= 8; ++n) EXPECT_TRUE(form->pageImage(n).isNull()) << n;
}

TEST_F(ManualFormTest, MissingConfigGivesTheDefaultsSilently) {
  auto form = create();
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(form->size(), QSize(415, 270));
  EXPECT_EQ(form->pageImage(1).size(), QSize(10, 10));  // no Graphics/Manual here: markers
  EXPECT_EQ(form->windowTitle(), "Manual");
}

}  // namespace
}  // namespace tavro
