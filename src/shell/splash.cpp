#include "shell/splash.h"

#include <array>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "shell/DocumentOpener.h"
#include "shell/ErrorBox.h"
#include "shell/ProductInfo.h"
#include "shell/SettingsStore.h"
#include "shell/WindowBorder.h"
#include "shell/WindowKit.h"
#include "skin/Picture.h"

namespace tavro {

bool splash_pending = true;

namespace {
constexpr int kClientWidth = 460;
constexpr int kClientHeight = 420;
const QColor kDarkBlue(0x08, 0x29, 0x52);
const QColor kBlue(0x18, 0x52, 0x94);

const QString kNoSound = QStringLiteral("(no sound)");
const QString kMultiMedia = QStringLiteral("Windows MultiMedia");
const QString kDirectSound = QStringLiteral("Microsoft DirectSound");

QFont arial(int pixels, bool bold = false, bool underline = false) {
  return arialFont(pixels, bold, underline);
}

QPixmap builtinPixmap(const char* name) {
  return QPixmap::fromImage(builtinImage(name));
}

// The background bands, drawn here when no built-in picture is available.
QPixmap backgroundBands() {
  QPixmap bands = builtinPixmap("splash_background");
  if (!bands.isNull()) {
    return bands;
  }
  QImage image(kClientWidth, kClientHeight, QImage::Format_RGB32);
  QPainter p(&image);
  p.fillRect(0, 0, kClientWidth, 52, kDarkBlue);
  p.fillRect(0, 52, kClientWidth, 168, kBlue);
  p.fillRect(0, 220, kClientWidth, 160, Qt::white);
  p.fillRect(0, 380, kClientWidth, 40, kDarkBlue);
  return QPixmap::fromImage(image);
}
}  // namespace

TSplashForm::TSplashForm(SettingsStore& settings, SplashActions actions, QWidget* parent)
    : QWidget(parent, Qt::WindowFlags(windowFlagsFor(WindowBorder::FixedNoIcons))),
      settings_(settings),
      actions_(std::move(actions)) {
  setWindowTitle(QStringLiteral("About this game..."));
  setFixedSize(kClientWidth, kClientHeight);
  keepWindowBorder(*this, WindowBorder::FixedNoIcons);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  setAutoFillBackground(true);
  // The sound list's font, which it takes from the window when it is made: a
  // list given a font of its own builds its drop-down list at once.
  setFont(arial(11));

  // FormCreate
  const int32_t mode = settings_.readInteger("SoundMode", -1);
  const bool atStart = settings_.readBool("SplashScreen", true);
  if (mode >= 0 && mode <= 2 && !atStart) {
    // The skip path: no controls, whose texts would wake the accessibility
    // bridge (and its session bus) before the device's first frame.
    skipped_ = true;
    skipOutput_ = std::array{kDirectSound, kMultiMedia, kNoSound}[std::size_t(mode)];
    move(-width(), -height());
    splash_pending = false;
    btn_playClick();
    return;
  }
  buildControls();
  la_game_title->setText(QString::fromUtf8(product::kTitle));
  la_version->setText(QString::fromUtf8(product::kVersionLine));
  la_release_date->setText(QString::fromUtf8(product::kReleaseLine));
  cb_sound->setCurrentIndex(mode >= 0 && mode <= 2 ? mode : -1);
  chb_splashscreen->setChecked(atStart);
  centreOnPrimaryScreen(*this);
  cb_soundChange();
}

void TSplashForm::buildControls() {
  auto label = [this](const QRect& place, const QString& text, const QFont& font,
                      const QColor& colour, Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop) {
    auto* l = new QLabel(text, this);
    l->setGeometry(place);
    l->setFont(font);
    l->setAlignment(align);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, colour);
    l->setPalette(pal);
    return l;
  };
  const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;

  im_background = new QLabel(this);
  im_background->setScaledContents(true);
  im_background->setGeometry(0, 0, kClientWidth, kClientHeight);

  la_game_title = label({0, 12, 460, 15}, {}, arial(12, true), Qt::white, centred);
  la_version = label({0, 28, 460, 15}, {}, arial(12, true), Qt::white, centred);
  im_box_picture = new QLabel(this);
  im_box_picture->setGeometry(0, 56, 460, 160);
  im_box_picture->setAlignment(Qt::AlignCenter);
  la_release_date = label({0, 236, 460, 15}, {}, arial(12), Qt::black, centred);
  la_website_1 = label({118, 259, 56, 15}, QStringLiteral("website:"), arial(12), Qt::black);
  la_website_2 = label({174, 259, 168, 15}, QString::fromUtf8(product::kWebsiteText),
                       arial(12, true, true), kBlue);
  la_email_1 = label({118, 282, 56, 15}, QStringLiteral("email:"), arial(12), Qt::black);
  la_email_2 =
      label({174, 282, 168, 15}, QString::fromUtf8(product::kEmail), arial(12, true, true), kBlue);
  la_sound_select =
      label({98, 308, 116, 15}, QStringLiteral("Select sound driver:"), arial(12), Qt::black);

  cb_sound = new QComboBox(this);
  cb_sound->setEditable(false);
  cb_sound->setGeometry(217, 308, 144, 21);
  cb_sound->setMaxVisibleItems(3);
  cb_sound->addItems({kDirectSound, kMultiMedia, kNoSound});
  connect(cb_sound, &QComboBox::currentIndexChanged, this, [this] { cb_soundChange(); });

  btn_play = new QLabel(this);
  btn_play->setGeometry(116, 340, 107, 30);
  btn_play->setCursor(Qt::PointingHandCursor);
  btn_play_disabled = new QLabel(this);
  btn_play_disabled->setGeometry(116, 340, 107, 30);
  btn_play_disabled->setCursor(Qt::WhatsThisCursor);
  btn_play_disabled->setToolTip(QStringLiteral("please select sound driver first"));
  btn_play_disabled->hide();
  btn_paypal = new QLabel(this);
  btn_paypal->setGeometry(237, 340, 107, 30);
  btn_paypal->setCursor(Qt::PointingHandCursor);

  chb_splashscreen = new QCheckBox(QStringLiteral("Display this splash screen at startup"), this);
  chb_splashscreen->setGeometry(12, 391, 444, 17);
  chb_splashscreen->setFont(arial(11));
  chb_splashscreen->setChecked(true);
  chb_splashscreen->setAutoFillBackground(true);
  QPalette pal = chb_splashscreen->palette();
  for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button}) {
    pal.setColor(role, kDarkBlue);
  }
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText}) {
    pal.setColor(role, Qt::white);
  }
  chb_splashscreen->setPalette(pal);

  for (QLabel* link : {la_website_2, la_email_2, btn_play, btn_paypal}) {
    link->setCursor(Qt::PointingHandCursor);
    link->installEventFilter(this);
  }
  // Key preview: the window sees every key before the focused control.
  cb_sound->installEventFilter(this);  // (the dropped-down list: watchList)
  chb_splashscreen->installEventFilter(this);
  setTabOrder(cb_sound, chb_splashscreen);
}

void TSplashForm::cb_soundChange() {
  const bool chosen = !cb_sound->currentText().isEmpty();
  btn_play->setEnabled(chosen);
  btn_play->setVisible(chosen);
  btn_play_disabled->setVisible(!chosen);
}

bool TSplashForm::showsAtStart() const {
  return chb_splashscreen && chb_splashscreen->isChecked();
}

void TSplashForm::btn_playClick() {
  const QString text = cb_sound ? cb_sound->currentText() : skipOutput_;
  bool on = false;
  int outputType = 0;
  if (text == kNoSound) {
    settings_.writeInteger("SoundMode", 2);
  } else if (text == kMultiMedia) {
    on = true;
    settings_.writeInteger("SoundMode", 1);
    outputType = 1;
  } else if (text == kDirectSound) {
    on = true;
    settings_.writeInteger("SoundMode", 0);
    outputType = 2;
  } else {
    return;  // no output chosen: nothing to start
  }
  if (actions_.setSoundOn) actions_.setSoundOn(on);
  if (on && actions_.openSound && !actions_.openSound(outputType)) {
    showFatalBox(QStringLiteral("Sound folder unproperly installed. Please reinstall the game."),
                 this);
    settings_.writeInteger("SoundMode", -1);
    settings_.writeBool("SplashScreen", true);
    endProgram();
    return;
  }
  const bool checked = showsAtStart();
  settings_.writeBool("SplashScreen", checked);
  if (actions_.setSplashMenuChecked) actions_.setSplashMenuChecked(checked);
  if (actions_.centreDevice) actions_.centreDevice();
  if (actions_.startDevice) actions_.startDevice();
  hide();
}

void TSplashForm::endProgram() {
  if (actions_.endProgram) {
    actions_.endProgram();
    return;
  }
  // Queued, so that a request made before the event loop runs still ends it.
  QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                            Qt::QueuedConnection);
}

bool TSplashForm::takesKey(const QKeyEvent* event) const {
  if (!btn_play) return false;  // skipped: never shown
  const bool one = (event->key() == Qt::Key_1 && !(event->modifiers() & Qt::KeypadModifier)) ||
                   event->key() == Qt::Key_Exclam;  // the 1 key held with Shift
  switch (event->key()) {
    case Qt::Key_Escape:
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return btn_play->isEnabled();
    default:
      return one && btn_play->isEnabled();
  }
}

bool TSplashForm::FormKeyDown(QKeyEvent* event) {
  if (!takesKey(event)) {
    return false;
  }
  if (event->key() == Qt::Key_Escape) {
    endProgram();
  } else {
    btn_playClick();
  }
  return true;
}

bool TSplashForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == cb_sound->view() && takesKey(key)) {
      cb_sound->hidePopup();  // the window's key, not the list's
    }
    return FormKeyDown(key);
  }
  if (event->type() == QEvent::MouseButtonRelease) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto* w = qobject_cast<QWidget*>(watched);
    if (mouse->button() != Qt::LeftButton || !w ||
        !w->rect().contains(mouse->position().toPoint())) {
      return false;
    }
    if (watched == btn_play && btn_play->isEnabled()) {
      btn_playClick();
    } else if (watched == btn_paypal) {
      DocumentOpener::openAddress(QString::fromUtf8(product::kDonateUrl));
    } else if (watched == la_website_2) {
      DocumentOpener::openAddress(QString::fromUtf8(product::kWebsite));
    } else if (watched == la_email_2) {
      DocumentOpener::openAddress(QStringLiteral("mailto:") + QString::fromUtf8(product::kEmail));
    }
    return false;
  }
  return QWidget::eventFilter(watched, event);
}

void TSplashForm::keyPressEvent(QKeyEvent* event) {
  if (!FormKeyDown(event)) {
    QWidget::keyPressEvent(event);
  }
}

void TSplashForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!cb_sound) return;
  watchList();
  cb_sound->setFocus();
}

void TSplashForm::watchList() {
  if (listWatched_) {
    return;
  }
  listWatched_ = true;
  cb_sound->view()->installEventFilter(this);  // key preview with the list dropped down
}

void TSplashForm::closeEvent(QCloseEvent* event) {
  // No close button, but a window manager may still close the window (Alt+F4).
  // Without the play action the device would never appear: end as Escape does.
  event->ignore();
  endProgram();
}

void TSplashForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && cb_sound) {
    cb_sound->setFocus();  // FormActivate
  }
}

void TSplashForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (im_background) im_background->setGeometry(rect());  // the bands follow the window's size
}

void TSplashForm::fillPictures() {
  if (picturesFilled_ || !im_background) {
    return;
  }
  picturesFilled_ = true;
  im_background->setPixmap(backgroundBands());
  im_box_picture->setPixmap(builtinPixmap("splash_box"));
  btn_play->setPixmap(builtinPixmap("splash_play"));
  btn_play_disabled->setPixmap(builtinPixmap("splash_play_disabled"));
  btn_paypal->setPixmap(builtinPixmap("splash_donate"));
}

bool TSplashForm::event(QEvent* event) {
  // Qt asks every new widget to polish itself at the next pass of the event
  // loop; a hidden launcher lets that go by (a show, a grab or
  // ensurePolished still polish it), so that the first pass, which puts the
  // device window on the screen, decodes none of its pictures.
  if (event->type() == QEvent::PolishRequest && !isVisible()) {
    return true;
  }
  if (event->type() == QEvent::Polish) {
    fillPictures();
  }
  return QWidget::event(event);
}

void TSplashForm::setVisible(bool visible) {
  if (!visible) {
    handKeyboardBack(*this);
  }
  QWidget::setVisible(visible);
}

}  // namespace tavro
