// The key settings window: clashes, accept, Escape and lists without a selection.
#include <gtest/gtest.h>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

#include "input/keys.h"
#include "shell/SettingsStore.h"

namespace tavro {
namespace {

const QColor kWhite(Qt::white);
const QColor kRed(0xFF, 0, 0);

class KeysFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    previousConfig_ = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    previousXdg_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
    store_ = std::make_unique<SettingsStore>();
    names_ = buildKeyNames();
    for (int n = 0; n < kButtonCount; ++n) {
      bindings_[n].choice = kDefaultChoices[n];
      AssignWord(n + 1, bindings_[n], bindings_[n]);
    }
  }

  void TearDown() override {
    store_.reset();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, previousConfig_);
    if (previousXdg_.isNull()) {
      qunsetenv("XDG_CONFIG_HOME");
    } else {
      qputenv("XDG_CONFIG_HOME", previousXdg_);
    }
  }

  std::unique_ptr<TKeysForm> create() {
    KeysActions actions;
    actions.setHints = [this](const ButtonHints& h) { hints_.push_back(h); };
    actions.setDeviceEnabled = [this](bool on) { enabled_.push_back(on); };
    return std::make_unique<TKeysForm>(bindings_, names_, *store_, actions);
  }

  QString stored(const char* name) {
    QSettings s("Velquin", "Tavro50");
    return s.value(name, "<absent>").toString();
  }
  static QColor colour(const QLabel* label) { return label->palette().color(QPalette::WindowText); }
  static void choose(TKeysForm& form, int list, const char* entry) {
    const int index = form.cb[list]->findText(entry);
    ASSERT_GE(index, 0) << entry;
    form.cb[list]->setCurrentIndex(index);
  }

  QTemporaryDir dir_;
  QString previousConfig_;
  QByteArray previousXdg_;
  std::unique_ptr<SettingsStore> store_;
  std::array<std::string, kBindableKeyCount + 1> names_;
  std::array<KeyBinding, kButtonCount> bindings_{};
  std::vector<ButtonHints> hints_;
  std::vector<bool> enabled_;
};

TEST_F(KeysFormTest, DefaultsShowTheFiveKeysWithoutClash) {
  auto form = create();
  const char* expected[] = {"1", "2", "3", "<LEFT ARROW>", "<RIGHT ARROW>"};
  for (int n = 0; n < kButtonCount; ++n) {
    EXPECT_EQ(form->cb[n]->count(), kBindableKeyCount);
    EXPECT_EQ(form->cb[n]->currentText(), expected[n]);
    EXPECT_EQ(colour(form->la[n]), kWhite);
  }
  EXPECT_EQ(form->cb[0]->itemText(43), "<SPACEBAR>");
  EXPECT_TRUE(form->btn_accept->isEnabled());
}

TEST_F(KeysFormTest, TwoListsOnOneKeyClashUntilOneMoves) {
  auto form = create();
  choose(*form, 1, "1");
  EXPECT_EQ(colour(form->la[0]), kRed);
  EXPECT_EQ(colour(form->la[1]), kRed);
  EXPECT_EQ(colour(form->la[2]), kWhite);
  EXPECT_FALSE(form->btn_accept->isEnabled());

  form->show();
  QTest::keyClick(form->cb[0], Qt::Key_Return);  // refused while clashing
  EXPECT_EQ(stored("Key2"), "<absent>");
  EXPECT_TRUE(form->isVisible());

  choose(*form, 1, "4");
  EXPECT_EQ(colour(form->la[0]), kWhite);
  EXPECT_EQ(colour(form->la[1]), kWhite);
  EXPECT_TRUE(form->btn_accept->isEnabled());
}

TEST_F(KeysFormTest, FixingOneOfThreeClashingListsLeavesTwoRed) {
  auto form = create();
  choose(*form, 1, "1");
  choose(*form, 4, "1");
  EXPECT_EQ(colour(form->la[0]), kRed);
  EXPECT_EQ(colour(form->la[1]), kRed);
  EXPECT_EQ(colour(form->la[4]), kRed);
  EXPECT_EQ(colour(form->la[2]), kWhite);
  EXPECT_EQ(colour(form->la[3]), kWhite);

  choose(*form, 4, "<RIGHT ARROW>");
  EXPECT_EQ(colour(form->la[0]), kRed);
  EXPECT_EQ(colour(form->la[1]), kRed);
  EXPECT_EQ(colour(form->la[4]), kWhite);
  EXPECT_FALSE(form->btn_accept->isEnabled());
}

TEST_F(KeysFormTest, AcceptStoresChoicesCodesAndHints) {
  auto form = create();
  form->openCentred();
  EXPECT_EQ(enabled_, std::vector<bool>{false});
  choose(*form, 0, "<SPACEBAR>");
  QTest::keyClick(form->cb[0], Qt::Key_Return);

  EXPECT_EQ(stored("Key1"), "44");
  EXPECT_EQ(stored("Key2"), "3");
  EXPECT_EQ(stored("Key5"), "40");
  EXPECT_EQ(bindings_[0].choice, 44);
  EXPECT_EQ(bindings_[0].key_code, 32);
  ASSERT_EQ(hints_.size(), 1u);
  EXPECT_EQ(hints_[0].game_a, "click or press 'spacebar' to start game A (hold to view highscore)");
  EXPECT_EQ(hints_[0].set, "button disabled");
  EXPECT_EQ(enabled_, (std::vector<bool>{false, true}));
  EXPECT_FALSE(form->isVisible());
}

TEST_F(KeysFormTest, EscapeStoresNothingAndKeepsTheListsForNextTime) {
  auto form = create();
  form->openCentred();
  choose(*form, 2, "Z");
  QTest::keyClick(form->cb[2], Qt::Key_Escape);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(enabled_, (std::vector<bool>{false, true}));
  EXPECT_EQ(stored("Key3"), "<absent>");
  EXPECT_EQ(bindings_[2].choice, 4);
  EXPECT_EQ(bindings_[2].key_code, 51);
  EXPECT_TRUE(hints_.empty());

  form->openCentred();
  EXPECT_EQ(form->cb[2]->currentText(), "Z");
}

TEST_F(KeysFormTest, ClosedByTheWindowManagerActsAsEscape) {
  auto form = create();
  form->openCentred();
  choose(*form, 0, "Q");
  EXPECT_TRUE(form->close());
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(enabled_, (std::vector<bool>{false, true}));
  EXPECT_EQ(stored("Key1"), "<absent>");
}

TEST_F(KeysFormTest, ListWithoutSelectionKeepsAcceptDisabled) {
  bindings_[2].choice = 45;  // a stored value outside the table
  auto form = create();
  EXPECT_EQ(form->cb[2]->currentIndex(), -1);
  EXPECT_EQ(colour(form->la[2]), kRed);
  EXPECT_EQ(colour(form->la[0]), kWhite);
  EXPECT_FALSE(form->btn_accept->isEnabled());

  form->show();
  QTest::keyClick(form->cb[0], Qt::Key_Return);
  form->btn_acceptClick();  // even a direct call stores nothing out of range
  EXPECT_EQ(stored("Key3"), "<absent>");
  EXPECT_EQ(bindings_[2].choice, 45);
  EXPECT_TRUE(form->isVisible());

  choose(*form, 2, "3");
  EXPECT_TRUE(form->btn_accept->isEnabled());
  EXPECT_EQ(colour(form->la[2]), kWhite);
}

TEST_F(KeysFormTest, TwoListsWithoutSelectionClash) {
  bindings_[0].choice = 0;
  bindings_[1].choice = 99;
  auto form = create();
  EXPECT_EQ(colour(form->la[0]), kRed);
  EXPECT_EQ(colour(form->la[1]), kRed);
  EXPECT_FALSE(form->btn_accept->isEnabled());
}

}  // namespace
}  // namespace tavro
