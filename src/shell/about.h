#pragma once
// The about window: a portrait, a column of details about the team and two
// links. Stay-on-top, hidden by Escape, its close button or a link.

#include <QWidget>

class QLabel;

namespace tavro {

class TAboutForm : public QWidget {
  Q_OBJECT

 public:
  // Content::Later leaves the portrait and the labels (and the fonts they
  // need) to buildContent() or the first show, off the program's first frame.
  enum class Content { Now, Later };
  explicit TAboutForm(QWidget* parent = nullptr, Content content = Content::Now);

  // Builds the portrait and the labels, once.
  void buildContent();

  // The "About..." command: shown centred, or only brought forward when open.
  void showAbout();

  void la_website_2Click();
  void la_email_2Click();

  QLabel* im_picture = nullptr;
  QLabel* la_name_1 = nullptr;
  QLabel* la_birthplace_1 = nullptr;
  QLabel* la_birthdate_1 = nullptr;
  QLabel* la_job_1 = nullptr;
  QLabel* la_hobby_1 = nullptr;
  QLabel* la_website_1 = nullptr;
  QLabel* la_email_1 = nullptr;
  QLabel* la_name_2 = nullptr;
  QLabel* la_birthplace_2 = nullptr;
  QLabel* la_birthdate_2 = nullptr;
  QLabel* la_job_2 = nullptr;
  QLabel* la_hobby_2 = nullptr;
  QLabel* la_website_2 = nullptr;
  QLabel* la_email_2 = nullptr;

 protected:
  // A hide hands the keyboard back to the device window first.
  void setVisible(bool visible) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace tavro
