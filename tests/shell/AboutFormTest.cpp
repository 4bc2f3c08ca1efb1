// The about window: texts and places, Escape, the links, showing it again.
#include <gtest/gtest.h>
#include <QLabel>
#include <QTest>

#include <vector>

#include "shell/DocumentOpener.h"
#include "shell/ProductInfo.h"
#include "shell/about.h"

namespace tavro {
namespace {

class AboutFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DocumentOpener::setHook([this](const QUrl& url) { opened_.push_back(url.toString()); });
  }
  void TearDown() override { DocumentOpener::setHook({}); }
  std::vector<QString> opened_;
};

TEST_F(AboutFormTest, LabelsCarryTheirTexts) {
  TAboutForm about;
  EXPECT_EQ(about.windowTitle(), "About the author...");
  EXPECT_EQ(about.size(), QSize(397, 176));
  EXPECT_EQ(about.la_name_1->text(), "Name:");
  EXPECT_EQ(about.la_birthplace_1->text(), "Birthplace:");
  EXPECT_EQ(about.la_birthdate_1->text(), "Birth date:");
  EXPECT_EQ(about.la_job_1->text(), "Occupation:");
  EXPECT_EQ(about.la_hobby_1->text(), "Hobby:");
  EXPECT_EQ(about.la_website_1->text(), "Website:");
  EXPECT_EQ(about.la_email_1->text(), "Email:");
  EXPECT_EQ(about.la_name_2->text(), product::kAuthorName);
  EXPECT_EQ(about.la_hobby_2->text(), product::kAuthorHobby);
  EXPECT_TRUE(about.la_hobby_2->font().italic());
  EXPECT_TRUE(about.la_hobby_2->font().bold());
  EXPECT_EQ(about.la_email_2->text(), product::kEmail);
}

TEST_F(AboutFormTest, EscapeHidesAndTheNextShowOpensItAgain) {
  TAboutForm about;
  about.showAbout();
  EXPECT_TRUE(about.isVisible());
  QTest::keyClick(&about, Qt::Key_A);
  EXPECT_TRUE(about.isVisible());
  QTest::keyClick(&about, Qt::Key_Escape);
  EXPECT_FALSE(about.isVisible());
  about.showAbout();
  EXPECT_TRUE(about.isVisible());
}

TEST_F(AboutFormTest, ShowingItWhileOpenKeepsItWhereItIs) {
  TAboutForm about;
  about.showAbout();
  about.move(10, 20);
  about.showAbout();
  EXPECT_EQ(about.pos(), QPoint(10, 20));
}

TEST_F(AboutFormTest, LinksOpenTheirAddressAndHideTheWindow) {
  TAboutForm about;
  about.showAbout();
  QTest::mouseClick(about.la_website_2, Qt::LeftButton);
  EXPECT_FALSE(about.isVisible());
  about.showAbout();
  QTest::mouseClick(about.la_email_2, Qt::LeftButton);
  EXPECT_FALSE(about.isVisible());
  ASSERT_EQ(opened_.size(), 2u);
  EXPECT_EQ(opened_[0], product::kWebsite);
  EXPECT_EQ(opened_[1], QString("mailto:") + product::kEmail);
}

}  // namespace
}  // namespace tavro
