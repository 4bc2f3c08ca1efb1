#include "shell/about.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <utility>

#include "shell/DocumentOpener.h"
#include "shell/ProductInfo.h"
#include "shell/WindowBorder.h"
#include "shell/WindowKit.h"
#include "shell/WindowSystem.h"
#include "skin/Picture.h"

namespace tavro {
namespace {

const QColor kBackground(0x08, 0x29, 0x52);

QFont arial(int pixels, bool bold = false, bool underline = false, bool italic = false) {
  return arialFont(pixels, bold, underline, italic);
}
}  // namespace

TAboutForm::TAboutForm(QWidget* parent, Content content)
    : QWidget(parent, Qt::WindowFlags(windowFlagsFor(WindowBorder::DialogCloseOnly)) |
                          Qt::WindowStaysOnTopHint) {
  setWindowTitle(QStringLiteral("About the author..."));
  setFixedSize(397, 176);
  keepWindowBorder(*this, WindowBorder::DialogCloseOnly);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kBackground);
  setPalette(pal);
  setAutoFillBackground(true);
  if (content == Content::Now) {
    buildContent();
  }
}

void TAboutForm::buildContent() {
  if (im_picture != nullptr) {
    return;
  }
  auto label = [this](int left, int top, int width, int height, const QString& text,
                      const QFont& font, const QColor& colour) {
    auto* l = new QLabel(text, this);
    l->setFont(font);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);  // text from the label's top, as placed
    l->move(left, top);
    if (width > 0) {
      l->resize(width, height);
    } else {
      l->adjustSize();  // sized to its text
    }
    QPalette lp = l->palette();
    lp.setColor(QPalette::WindowText, colour);
    l->setPalette(lp);
    return l;
  };
  auto text = [](const char* s) { return QString::fromUtf8(s); };

  im_picture = new QLabel(this);
  im_picture->setGeometry(8, 8, 116, 160);
  im_picture->setPixmap(QPixmap::fromImage(builtinImage("about_portrait")));

  const QFont caption = arial(11);
  la_name_1 = label(132, 8, 72, 14, text("Name:"), caption, Qt::white);
  la_birthplace_1 = label(132, 32, 72, 14, text("Birthplace:"), caption, Qt::white);
  la_birthdate_1 = label(132, 56, 72, 14, text("Birth date:"), caption, Qt::white);
  la_job_1 = label(132, 80, 72, 14, text("Occupation:"), caption, Qt::white);
  la_hobby_1 = label(132, 104, 0, 0, text("Hobby:"), caption, Qt::white);
  la_website_1 = label(132, 128, 0, 0, text("Website:"), caption, Qt::white);
  la_email_1 = label(132, 152, 0, 0, text("Email:"), caption, Qt::white);

  const QFont value = arial(11, true);
  la_name_2 = label(212, 8, 147, 14, text(product::kAuthorName), value, Qt::white);
  la_birthplace_2 = label(212, 32, 147, 14, text(product::kAuthorBirthplace), value, Qt::white);
  la_birthdate_2 = label(212, 56, 147, 14, text(product::kAuthorBirthdate), value, Qt::white);
  la_job_2 = label(212, 80, 147, 14, text(product::kAuthorJob), value, Qt::white);
  la_hobby_2 =
      label(212, 104, 93, 14, text(product::kAuthorHobby), arial(11, true, false, true), Qt::white);
  const QFont link = arial(12, true, true);
  la_website_2 = label(212, 128, 168, 15, text(product::kWebsiteText), link, Qt::yellow);
  la_email_2 = label(212, 152, 168, 15, text(product::kEmail), link, Qt::yellow);
  for (QLabel* l : {la_website_2, la_email_2}) {
    l->setCursor(Qt::PointingHandCursor);
    l->installEventFilter(this);
  }
  // Each caption stands on the baseline of its value, whose font may be larger.
  const std::pair<QLabel*, QLabel*> rows[] = {
      {la_name_1, la_name_2},  {la_birthplace_1, la_birthplace_2}, {la_birthdate_1, la_birthdate_2},
      {la_job_1, la_job_2},    {la_hobby_1, la_hobby_2},           {la_website_1, la_website_2},
      {la_email_1, la_email_2}};
  for (const auto& [captionLabel, valueLabel] : rows) {
    const int drop =
        QFontMetrics(valueLabel->font()).ascent() - QFontMetrics(captionLabel->font()).ascent();
    captionLabel->move(captionLabel->x(), valueLabel->y() + drop);
  }
}

void TAboutForm::showAbout() {
  if (!isVisible()) {
    centreOnPrimaryScreen(*this);
  }
  bringForward(*this);  // a minimised window is restored first
}

void TAboutForm::la_website_2Click() {
  DocumentOpener::openAddress(QString::fromUtf8(product::kWebsite));
  hide();
}

void TAboutForm::la_email_2Click() {
  DocumentOpener::openAddress(QStringLiteral("mailto:") + QString::fromUtf8(product::kEmail));
  hide();
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto* w = static_cast<QWidget*>(watched);
    if (mouse->button() == Qt::LeftButton && w->rect().contains(mouse->position().toPoint())) {
      if (watched == la_website_2) la_website_2Click();
      if (watched == la_email_2) la_email_2Click();
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TAboutForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    hide();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TAboutForm::setVisible(bool visible) {
  if (!visible) {
    handKeyboardBack(*this);
  } else {
    buildContent();
  }
  QWidget::setVisible(visible);
}

}  // namespace tavro
