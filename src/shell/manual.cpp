#include "shell/manual.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "shell/ErrorBox.h"
#include "shell/WindowKit.h"
#include "shell/WindowSystem.h"
#include "skin/BuiltinPictures.h"

namespace tavro {
namespace {
constexpr int kButtonWidth = 16;
constexpr int kButtonHeight = 14;
constexpr int kButtonMargin = 4;
// How long a key release waits for the press of an auto-repeat pair; the two
// are sent together, so a person cannot tell the delay.
constexpr int kKeyReleaseWaitMs = 20;

constexpr std::array<const char*, 6> kButtonPictures{"manual_close_down", "manual_close_up",
                                                     "manual_left_down",  "manual_left_up",
                                                     "manual_right_down", "manual_right_up"};

QImage builtinButton(const char* name) {
  QImage image = builtinImage(name);
  if (image.isNull()) {  // no built-in art: a plain blue face keeps the button usable
    image = QImage(kButtonWidth, kButtonHeight, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 255));
  }
  return image;
}
}  // namespace

TManualForm::TManualForm(const std::string& configFile, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool) {
  setWindowTitle(QStringLiteral("Manual"));
  setAttribute(Qt::WA_OpaquePaintEvent);  // the paint covers every pixel
  setFocusPolicy(Qt::StrongFocus);
  release_timer_.setSingleShot(true);
  release_timer_.setInterval(kKeyReleaseWaitMs);
  connect(&release_timer_, &QTimer::timeout, this, [this] { flushKeyRelease(); });
  resize(kManualDefaultWidth, kManualDefaultHeight);
  placePageTop(kManualDefaultWidth, kManualDefaultHeight);
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i].image = builtinButton(kButtonPictures[i]);
  }
  for (std::size_t i = 1; i < pages_.size(); ++i) {
    pages_[i].visible = false;  // only im_page_01 lies visible under im_page_top
  }
  setButtonVisible(ManualButton::LeftDown, false);
  setButtonVisible(ManualButton::LeftUp, false);
  runHandler([&] { Gfx_Load_Manual(*this, configFile); }, this);
  placeButtons();
}

void TManualForm::showManual() {
  if (!shown_before_) {
    shown_before_ = true;
    centreOnPrimaryScreen(*this);
  }
  bringForward(*this);
}

void TManualForm::Vid_Show_Page() {
  page_top_.image = pages_[current_page - 1].image;
  page_top_.hiRes = pages_[current_page - 1].hiRes;
  if (current_page == 1) {
    setButtonVisible(ManualButton::LeftDown, false);
    setButtonVisible(ManualButton::LeftUp, false);
  } else if (current_page == kManualPageCount) {
    setButtonVisible(ManualButton::RightDown, false);
    setButtonVisible(ManualButton::RightUp, false);
  } else {
    setButtonVisible(ManualButton::LeftDown, true);
    setButtonVisible(ManualButton::LeftUp, true);
    setButtonVisible(ManualButton::RightDown, true);
    setButtonVisible(ManualButton::RightUp, true);
  }
  update();
}

void TManualForm::Inp_left_down() {
  setButtonVisible(ManualButton::LeftUp, false);
}

void TManualForm::Inp_left_up() {
  current_page = std::max(1, current_page - 1);
  Vid_Show_Page();
}

void TManualForm::Inp_right_down() {
  setButtonVisible(ManualButton::RightUp, false);
}

void TManualForm::Inp_right_up() {
  current_page = std::min(kManualPageCount, current_page + 1);
  Vid_Show_Page();
}

void TManualForm::Inp_esc_down() {
  setButtonVisible(ManualButton::CloseUp, false);
}

void TManualForm::Inp_esc_up() {
  setButtonVisible(ManualButton::CloseUp, true);
  hide();
}

void TManualForm::paintEvent(QPaintEvent*) {
  decodePages();
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  auto draw = [&](const PictureControl& c) {
    if (c.visible && !c.image.isNull()) {
      p.save();
      p.setClipRect(c.rect);
      if (c.hiRes.isNull()) {
        p.drawImage(c.rect.topLeft(), c.image);
      } else {
        p.drawImage(QRectF(c.rect.topLeft(), c.image.size()), c.hiRes);
      }
      p.restore();
    }
  };
  for (auto it = pages_.rbegin(); it != pages_.rend(); ++it) {
    draw(*it);  // im_page_08 at the bottom up to im_page_01
  }
  draw(page_top_);
  p.setPen(QPen(Qt::black, 0));
  p.setBrush(Qt::NoBrush);
  p.drawRect(frame_.adjusted(0, 0, -1, -1));
  for (const PictureControl& b : buttons_) {
    draw(b);
  }
}

void TManualForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  decodePages();
  Vid_Show_Page();
  setFocus();
}

void TManualForm::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == pending_release_) {
    // The release just before was half of an auto-repeat pair: the button
    // stays pressed and the page stays.
    pending_release_ = 0;
    release_timer_.stop();
    return;
  }
  flushKeyRelease();
  switch (key) {
    case Qt::Key_Escape:
      Inp_esc_down();
      break;
    case Qt::Key_Left:
      if (current_page > 1) Inp_left_down();
      break;
    case Qt::Key_Right:
      if (current_page < kManualPageCount) Inp_right_down();
      break;
    default:
      QWidget::keyPressEvent(event);
  }
}

void TManualForm::keyReleaseEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key != Qt::Key_Escape && key != Qt::Key_Left && key != Qt::Key_Right) {
    QWidget::keyReleaseEvent(event);
    return;
  }
  // A held key repeats as release/press pairs. X11 flags most of them, but
  // not all, so an unflagged release waits a moment for the press that would
  // make it a repeat: holding an arrow turns one page.
  if (event->isAutoRepeat()) {
    return;
  }
  flushKeyRelease();
  pending_release_ = key;
  release_timer_.start();
}

void TManualForm::flushKeyRelease() {
  const int key = pending_release_;
  pending_release_ = 0;
  release_timer_.stop();
  switch (key) {
    case Qt::Key_Escape:
      Inp_esc_up();
      break;
    case Qt::Key_Left:
      if (current_page > 1) Inp_left_up();
      break;
    case Qt::Key_Right:
      if (current_page < kManualPageCount) Inp_right_up();
      break;
    default:
      break;
  }
}

TManualForm::PressTarget TManualForm::hitTest(const QPoint& pt) const {
  auto hit = [&](ManualButton b) {
    const PictureControl& c = buttons_[index(b)];
    return c.visible && c.rect.contains(pt);
  };
  if (hit(ManualButton::RightUp)) return PressTarget::Right;
  if (hit(ManualButton::LeftUp)) return PressTarget::Left;
  if (hit(ManualButton::CloseUp)) return PressTarget::Close;
  return PressTarget::Page;
}

void TManualForm::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    return;
  }
  press_target_ = hitTest(event->position().toPoint());
  switch (press_target_) {
    case PressTarget::Page:
      drag_origin = event->position().toPoint();
      system_drag_tried_ = false;
      break;
    case PressTarget::Close:
      Inp_esc_down();
      break;
    case PressTarget::Left:
      Inp_left_down();
      break;
    case PressTarget::Right:
      Inp_right_down();
      break;
    case PressTarget::None:
      break;
  }
}

void TManualForm::mouseMoveEvent(QMouseEvent* event) {
  if (press_target_ != PressTarget::Page || !(event->buttons() & Qt::LeftButton)) {
    return;
  }

  // top + y - origin.y, then left + x - origin.x, where top + y is the
  // pointer's screen position: taken from the screen directly so that a
  // window move the server has not confirmed yet cannot make the window jump.
  // At the drag's first step the window system is asked to move the window
  // (a click alone starts nothing); where it cannot, the window moves itself.
  if (!system_drag_tried_) {
    system_drag_tried_ = true;
    if (startSystemDrag(*this)) {
      press_target_ = PressTarget::None;
      return;
    }
  }
  const QPoint global = event->globalPosition().toPoint();
  move(x(), global.y() - drag_origin.y());
  move(global.x() - drag_origin.x(), y());
}

void TManualForm::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    return;
  }
  // The release belongs to what took the press, wherever the pointer is now.
  const PressTarget target = press_target_;
  press_target_ = PressTarget::None;
  switch (target) {
    case PressTarget::Close:
      Inp_esc_up();
      break;
    case PressTarget::Left:
      Inp_left_up();
      break;
    case PressTarget::Right:
      Inp_right_up();
      break;
    case PressTarget::Page:
    case PressTarget::None:
      break;
  }
}

void TManualForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  placeButtons();
}

void TManualForm::setButtonVisible(ManualButton b, bool visible) {
  PictureControl& c = button(b);
  if (c.visible != visible) {
    c.visible = visible;
    update(c.rect);
  }
}

void TManualForm::placeButtons() {
  const int right = width() - kButtonMargin - kButtonWidth;
  const int bottom = height() - kButtonMargin - kButtonHeight;
  const QSize size(kButtonWidth, kButtonHeight);
  button(ManualButton::CloseDown).rect = QRect(QPoint(right, kButtonMargin), size);
  button(ManualButton::CloseUp).rect = QRect(QPoint(right, kButtonMargin), size);
  button(ManualButton::LeftDown).rect = QRect(QPoint(kButtonMargin, bottom), size);
  button(ManualButton::LeftUp).rect = QRect(QPoint(kButtonMargin, bottom), size);
  button(ManualButton::RightDown).rect = QRect(QPoint(right, bottom), size);
  button(ManualButton::RightUp).rect = QRect(QPoint(right, bottom), size);
  update();
}

void TManualForm::setClientHeight(int h) {
  resize(width(), h);
}

void TManualForm::setClientWidth(int w) {
  resize(w, height());
}

void TManualForm::placePageTop(int w, int h) {
  page_top_.rect = QRect(0, 0, w, h);
  frame_ = QRect(0, 0, w, h);
}

void TManualForm::setPage(int n, Picture picture) {
  pages_[n - 1].image = picture.image;
  pages_[n - 1].hiRes = QImage();
}

qreal TManualForm::screenPixelRatio() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->devicePixelRatio() : 1.0;
}

void TManualForm::setHiResPage(int n, Picture variant) {
  pages_[n - 1].hiRes = variant.image.scaled(pages_[n - 1].image.size() * 2, Qt::IgnoreAspectRatio,
                                             Qt::FastTransformation);
}

bool TManualForm::takePageFile(int n, const std::string& windowsPath) {
  page_files_[n - 1] = windowsPath;
  pages_waiting_ = true;
  return true;
}

void TManualForm::decodePages() {
  if (!pages_waiting_) {
    return;
  }
  pages_waiting_ = false;
  std::array<std::string, kManualPageCount> files;
  files.swap(page_files_);
  runHandler(
      [&] {
        HiResLoader hiRes(screenPixelRatio() >= kHiResPixelRatio, 4 * pictureBudget());
        for (int n = 1; n <= kManualPageCount; ++n) {
          if (!files[n - 1].empty()) loadManualPage(*this, hiRes, n, files[n - 1]);
        }
      },
      this);
}

void TManualForm::sizePage(int n, int w, int h) {
  pages_[n - 1].rect = QRect(0, 0, w, h);
}

void TManualForm::setVisible(bool visible) {
  if (!visible) {
    handKeyboardBack(*this);
  }
  QWidget::setVisible(visible);
}

}  // namespace tavro
