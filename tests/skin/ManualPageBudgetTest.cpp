// Manual pages that together decode to too many pixels stop the load with a
// clear error instead of exhausting memory.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <stdexcept>
#include <string>

#include "skin/ManualLoader.h"
#include "skin/gfxinit.h"

namespace tavro {
namespace {

class PageTarget : public ManualTarget {
 public:
  explicit PageTarget(int64_t budget) : budget_(budget) {}
  void setClientHeight(int) override {}
  void setClientWidth(int) override {}
  void placePageTop(int, int) override {}
  void setPage(int n, Picture p) override { pages[n] = std::move(p); }
  void sizePage(int, int, int) override {}
  int64_t pictureBudget() const override { return budget_; }
  Picture pages[kManualPageCount + 1];

 private:
  int64_t budget_;
};

class ManualPageBudget : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    QDir().mkpath("Graphics/Manual");
    QImage page(6, 6, QImage::Format_RGB32);
    page.fill(Qt::white);
    for (int n = 1; n <= kManualPageCount; ++n) {
      ASSERT_TRUE(page.save(QString("Graphics/Manual/%1.bmp").arg(n), "BMP"));
    }
    QFile ini(dir_.filePath("Config.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Manual]\nManualWidth=100\nManualHeight=100\n");
  }
  void TearDown() override { QDir::setCurrent(previous_); }
  std::string config() const { return dir_.filePath("Config.ini").toStdString(); }

  QTemporaryDir dir_;
  QString previous_;
};

TEST_F(ManualPageBudget, PagesPastTheBudgetStopTheLoadAndStayEmpty) {
  PageTarget target(100);  // two pages of 36 pixels fit, the third does not
  try {
    Gfx_Load_Manual(target, config());
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), kSkinTooLargeMessage);
  }
  EXPECT_FALSE(target.pages[2].isNull());
  EXPECT_TRUE(target.pages[3].isNull());
  EXPECT_TRUE(target.pages[8].isNull());
}

TEST_F(ManualPageBudget, TheDefaultBudgetTakesEveryPage) {
  PageTarget target(kMaxSkinPixels);
  Gfx_Load_Manual(target, config());
  EXPECT_EQ(target.pages[8].image.size(), QSize(6, 6));
}

}  // namespace
}  // namespace tavro
