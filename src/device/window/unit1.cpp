#include "device/window/unit1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <algorithm>
#include <map>

#include "device/window/QtDeviceInput.h"
#include "shell/ErrorBox.h"
#include "shell/ProductInfo.h"
#include "shell/SettingsStore.h"
#include "shell/WindowSystem.h"
#include "skin/BuiltinPictures.h"
#include "skin/Picture.h"

namespace tavro {
namespace {

constexpr QSize kDesignSize(561, 374);
// Client sides are cut to this (an 8K screen fits), so that a broken
// Config.ini cannot ask for a frame of gigabytes.
constexpr int kMaxClientSide = 8192;
// After the window system last placed or sized the window, a small part of
// the frame is painted again after 250 ms, then at doubling intervals (see
// nativeEvent).
constexpr int kSettleRepaintMs = 250;
constexpr int kSettleRepaints = 7;  // 250 ms to 16 s after it

// Bottom to top, as the window stacks its skin controls.
constexpr std::array<int, kSkinImageCount> kSkinStacking = {
    // the body
    im_background,
    // indicators and panel
    im_panel_game_a, im_panel_game_b, 25, 24, 23, 22, 21, 20, 19, 18, 17, 16, im_panel_time_1,
    im_panel_time_2, 26, 27, 28, 29, im_panel_time_am, im_panel_time_pm, im_panel_bell,
    im_panel_alarm, im_panel_chrono, im_panel_date,
    // items, got and miss
    im_item(3, 1), im_item(3, 2), im_item(3, 3), im_item(3, 4), im_item(3, 5), im_item_3_got,
    im_item(2, 1), im_item(2, 2), im_item(2, 3), im_item(2, 4), im_item(2, 5), im_item_2_miss,
    im_item_2_got, im_item_1_got, im_item_1_miss, im_item(1, 5), im_item(1, 1), im_item(1, 2),
    im_item(1, 3), im_item(1, 4),
    // digit glyphs (never shown)
    39, 40, 41, 42, 43, 44, 45, 46, 47, 48,
    // buttons
    btn_set_top, btn_time_down, btn_time_top, btn_game_a_down, btn_game_a_top, btn_game_b_down,
    btn_game_b_top, btn_left_down, btn_left_top, btn_right_down, btn_right_top,
    // hero
    im_item_3_miss, im_hero(1, 1), im_hero(1, 2), im_hero(1, 3), im_hero(2, 1), im_hero(2, 2),
    im_hero(2, 3), im_hero(3, 1), im_hero(3, 2), im_hero(3, 3),
    // targets and colon
    im_item_1_target, im_item_2_target, im_item_3_target, im_panel_time_colon,
    // the screen layer over every segment
    im_background_screen_top};

// Controls that are shown from the start: the body, the screen layer and the
// button tops. Segments, digit glyphs and pressed images start hidden.
bool shownAtStart(int n) {
  return n == im_background || n == im_background_screen_top || n == btn_game_a_top ||
         n == btn_game_b_top || n == btn_time_top || n == btn_set_top || n == btn_left_top ||
         n == btn_right_top;
}

bool platformHasWindowShapes() {
  const QString name = QGuiApplication::platformName();
  return name != QLatin1String("offscreen") && name != QLatin1String("minimal");
}

}  // namespace

void TForm1::ScoreForwarder::writeInteger(std::string_view name, int32_t value) {
  if (form_.settings_) {
    form_.settings_->writeInteger(name, value);
  }
}

TForm1::TForm1(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      device_(*this, timers_, sound_, scores_, clock_, random_) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  // A Wayland window mask only limits where clicks land: the key colour is
  // made see-through by the window's alpha channel instead.
  seeThroughByAlpha_ = nativeWayland();
  if (seeThroughByAlpha_) {
    setAttribute(Qt::WA_TranslucentBackground);
  }
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  timers_.setSink(&device_);
  timers_.setTickWrapper([this](const std::function<void()>& tick) { runHandler(tick, this); });
  settleRepaint_.setSingleShot(true);
  settleRepaint_.callOnTimeout(this, [this] {
    update(QRect(width() / 2, height() / 2, 8, 8));
    if (++settleRepaints_ < kSettleRepaints) {
      settleRepaint_.start(settleRepaint_.interval() * 2);
    }
  });
  setUpControls();
  composer_.setHiResScale(screenPixelRatio() >= kHiResPixelRatio ? 2 : 1);
  resizeClient(kDesignSize);
  input_ = std::make_unique<QtDeviceInput>(*this);
}

TForm1::~TForm1() = default;

void TForm1::setUpControls() {
  std::vector<const PictureControl*> stack{&backdrop_, &logo_};
  for (int n : kSkinStacking) {
    stack.push_back(&skin_[static_cast<std::size_t>(n)]);
  }
  stack.push_back(&gameMenuBackground_);
  stack.push_back(&gameMenuTop_);
  composer_.setStack(std::move(stack));

  applySkinDrawingProperties(*this);
  for (int n = 1; n <= kSkinImageCount; ++n) {
    skin_[static_cast<std::size_t>(n)].setVisible(shownAtStart(n));
  }
  gameMenuBackground_.setGeometry(QRect(0, 0, 36, 32));
  gameMenuTop_.setGeometry(QRect(40, 72, 36, 32));

  const auto listener = [this](const QRect& area) { controlChanged(area); };
  for (PictureControl& control : skin_) {
    control.setChangeListener(listener);
  }
  for (PictureControl* control : {&backdrop_, &logo_, &gameMenuBackground_, &gameMenuTop_}) {
    control->setChangeListener(listener);
  }
}

void TForm1::decodeGameMenuPicture() {
  if (gameMenuDecoded_) {
    return;
  }
  gameMenuDecoded_ = true;
  const builtin::Blob menu = builtin::picture("game_menu");
  if (!menu.empty()) {
    try {
      gameMenuBackground_.setPicture(decodeBuiltin(menu));
    } catch (const std::exception&) {
      // A broken built-in picture leaves the menu without a picture.
    }
  }
}

PictureControl& TForm1::gameMenuBackgroundControl() {
  if (fullscreen_mode) {
    decodeGameMenuPicture();
  }
  return gameMenuBackground_;
}

bool TForm1::FormCreate() {
  setApplicationTitle(QString::fromUtf8(product::kTitle));
  setWindowTitle(applicationTitle());
  placeOffScreen();
  settings_ = std::make_unique<SettingsStore>();
  fullscreen_mode = settings_->readBool("FullscreenMode", true);
  if (!runHandler([this] { Gfx_Load_Skin(*this); })) {
    return false;
  }
  key_names = buildKeyNames();
  std::map<std::string, int32_t> choices;  // written back at once: one save
  for (int i = 0; i < kButtonCount; ++i) {
    const std::string name = "Key" + std::to_string(i + 1);
    const int32_t choice =
        settings_->readInteger(name, kDefaultChoices[static_cast<std::size_t>(i)]);
    choices[name] = choice;
    KeyBinding& binding = key_bindings[static_cast<std::size_t>(i)];
    binding.choice = choice;
    AssignWord(i + 1, binding, binding);
  }
  settings_->writeIntegers(choices);
  applyHints();
  device_.setHighScores(settings_->readInteger("HiScore1", device_.hi_score_a),
                        settings_->readInteger("HiScore2", device_.hi_score_b));
  return true;
}

void TForm1::applyHints() {
  hints = tooltipHints(key_bindings, key_names);
}

void TForm1::centreOnScreen() {
  const QSize screen = screenSize();
  const int left = std::max(0, (screen.width() - clientWidth()) / 2);
  const int top = std::max(0, (screen.height() - clientHeight()) / 2);
  // Where something manages the windows, fullscreen is the window system's
  // fullscreen state (it covers panels; on Wayland it is the only way to
  // cover the output); the geometry below covers the screen on a bare X
  // server. A window leaves the state before it is moved and sized.
  const bool fullscreenState = fullscreen_mode && windowManagerRunning();
  if (!fullscreenState) {
    setWindowState(windowState() & ~Qt::WindowFullScreen);
  }
  if (!fullscreenState) {
    keepClientSize();
  }
  move(left, top);
  if (fullscreenState) {
    setWindowState(windowState() | Qt::WindowFullScreen);
  }
  if (parked_) {
    parked_ = false;
    applyShape();
  }
  if (!isVisible()) {
    show();  // the first placing: nothing of the window was shown before it
  }
}

void TForm1::placeOffScreen() {
  parked_ = true;
  if (isVisible()) {
    // Out of the fullscreen state before the skin load sizes the window: Qt
    // forgets a widget's fullscreen state at a resize without telling the
    // window system, which would then keep the window fullscreen.
    setWindowState(windowState() & ~Qt::WindowFullScreen);
    // Wayland gives windows no place of their own: a shown window stays
    // where it is for the time of the load, whose repaint comes after it.
    if (nativeWayland()) {
      return;
    }
  }
  const QSize screen = screenSize();
  applyShape();
  move(-screen.width(), -screen.height());
}

QImage TForm1::frame() {
  flush();
  return composer_.frame();
}

QRegion TForm1::shapeRegion() {
  flush();
  return composer_.shape();
}

void TForm1::flush() {
  flushPending_ = false;
  const QtFrameComposer::Flushed done = composer_.flush();
  if (!done.redrawn.isEmpty()) {
    lastRedrawn_ = done.redrawn;
    update(done.redrawn);
  }
  if (done.shapeChanged) {
    applyShape();
  }
}

void TForm1::invalidateAll() {
  composer_.markAllDirty();
  scheduleFlush();
}

void TForm1::scheduleFlush() {
  if (flushPending_) {
    return;
  }
  flushPending_ = true;
  QMetaObject::invokeMethod(
      this, [this] { flush(); }, Qt::QueuedConnection);
}

void TForm1::controlChanged(const QRect& area) {
  composer_.markDirty(area);
  scheduleFlush();
}

void TForm1::applyShape() {
  if (!platformHasWindowShapes()) {
    return;  // the shape is still computed and can be read with shapeRegion()
  }
  if (parked_) {
    // A window manager may pull a window parked off the screen back until a
    // corner of it shows: while parked, the window's shape holds no pixel of
    // it (a lone pixel outside the window).
    setMask(QRegion(-1, -1, 1, 1));
    maskApplied_ = true;
  } else if (keyEnabled_) {
    // An empty mask would remove the shape altogether; a window that is key
    // colour everywhere keeps a single pixel instead.
    const QRegion& shape = composer_.shape();
    setMask(shape.isEmpty() ? QRegion(0, 0, 1, 1) : shape);
    maskApplied_ = true;
  } else if (maskApplied_) {
    clearMask();
    maskApplied_ = false;
  }
}

std::optional<SkinImage> TForm1::skinControlAt(QPoint pos) const {
  for (auto it = kSkinStacking.rbegin(); it != kSkinStacking.rend(); ++it) {
    const PictureControl& control = skin_[static_cast<std::size_t>(*it)];
    if (control.isVisible() && control.rect().contains(pos)) {
      return static_cast<SkinImage>(*it);
    }
  }
  return std::nullopt;
}

bool TForm1::gameMenuAt(QPoint pos) const {
  for (const PictureControl* control : {&gameMenuTop_, &gameMenuBackground_}) {
    if (control->isVisible() && control->rect().contains(pos)) {
      return true;
    }
  }
  return false;
}

void TForm1::setVisible(SkinImage image, bool visible) {
  if (image >= 1 && image <= kSkinImageCount) {
    skin_[static_cast<std::size_t>(image)].setVisible(visible);
  }
}

void TForm1::setDigit(SkinImage position, int digit) {
  if (position < im_panel_digit_pos(1) || position > im_panel_digit_pos(4)) {
    return;
  }
  digits_[static_cast<std::size_t>(position - im_panel_digit_pos(1))] = digit;
  PictureControl& control = skin_[static_cast<std::size_t>(position)];
  if (digit >= 0 && digit <= 9) {
    control.copyPictureFrom(skin_[static_cast<std::size_t>(im_panel_number(digit))]);
  } else {
    control.clearPicture();
  }
}

PictureControl& TForm1::skinControl(int n) {
  return skin_[static_cast<std::size_t>(std::clamp(n, 1, kSkinImageCount))];
}

void TForm1::resizeClient(QSize size) {
  size = size.boundedTo(QSize(kMaxClientSide, kMaxClientSide)).expandedTo(QSize(0, 0));
  composer_.resize(size);
  backdrop_.setGeometry(QRect(QPoint(0, 0), size));
  // A shown window going fullscreen is sized by the window system when it
  // takes the fullscreen state: a window that sized itself first would get a
  // configure that changes nothing, and compositors (mutter, natively and
  // through XWayland) show the new state only after a paint that then never
  // comes.
  if (!(isVisible() && fullscreen_mode && windowManagerRunning())) {
    QWidget::resize(size.expandedTo(QSize(1, 1)));
  }
  scheduleFlush();
}

void TForm1::keepClientSize() {
  const QSize size = composer_.size().expandedTo(QSize(1, 1));
  if (windowState() & Qt::WindowFullScreen) {
    return;  // the window system sizes it to the screen
  }
  // A window system may give a window that leaves the fullscreen state its
  // fullscreen size back (Wayland compositors do, a moment later): the
  // window asks for its own size again whenever it is given another.
  resize(size);
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);

  if (event->size() != composer_.size().expandedTo(QSize(1, 1)) &&
      !(windowState() & Qt::WindowFullScreen) && !resizePending_) {
    resizePending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
          resizePending_ = false;
          keepClientSize();
        },
        Qt::QueuedConnection);
  }
}

void TForm1::setClientWidth(int width) {
  resizeClient(QSize(width, clientHeight()));
}

void TForm1::setClientHeight(int height) {
  resizeClient(QSize(clientWidth(), height));
}

void TForm1::setBackgroundColour(QRgb colour) {
  composer_.setBackground(colour);
  scheduleFlush();
}

void TForm1::setTransparencyKeyColour(QRgb colour) {
  keyColour_ = colour;
  composer_.setKey(keyEnabled_, colour);
  scheduleFlush();
}

void TForm1::setTransparencyKeyEnabled(bool on) {
  keyEnabled_ = on;
  composer_.setKey(on, keyColour_);
  if (!on) {
    applyShape();
  }
  scheduleFlush();
}

QSize TForm1::screenSize() const {
  if (screenOverride_) {
    return *screenOverride_;
  }
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    return screen->size();
  }
  return kDesignSize;
}

qreal TForm1::screenPixelRatio() const {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    return screen->devicePixelRatio();
  }
  return 1.0;
}

void TForm1::showFatalError(const std::string& message) {
  showFatalBox(QString::fromStdString(message));
}

void TForm1::skinLoaded() {
  for (int i = 0; i < 4; ++i) {
    const int digit = digits_[static_cast<std::size_t>(i)];
    if (digit != kNoDigit) {
      setDigit(static_cast<SkinImage>(im_panel_digit_pos(1) + i), digit);
    }
  }
}

void TForm1::requestQuit() {
  quitRequested_ = true;
  QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void TForm1::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  composer_.paint(painter, event->region());
  if (seeThroughByAlpha_ && keyEnabled_) {
    // Outside the shape (the key colour's pixels) the window is clear.
    painter.setClipRegion(event->region().subtracted(composer_.shape()));
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.fillRect(rect(), Qt::transparent);
  }
}

void TForm1::closeEvent(QCloseEvent* event) {
  sound_.Snd_Release();
  if (settingsClosing) {
    settingsClosing();
  }
  settings_.reset();
  event->accept();
  if (closed) {
    closed();
  }
}

void TForm1::contextMenuEvent(QContextMenuEvent* event) {
  if (contextMenuRequest) {
    contextMenuRequest(event->globalPos());
  }
  event->accept();
}

void TForm1::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);

  if (event->type() == QEvent::ActivationChange && isActiveWindow() && activated) {
    activated();
  }
}

bool TForm1::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
  if (isConfigureEvent(eventType, message)) {
    // Mutter, through XWayland, may go on showing a window at its old size
    // after it was resized, whatever was painted at once: the first paint
    // some time later brings the rest (seen after the about window was
    // shown and the window then went fullscreen). A small part of the frame
    // is painted again at growing intervals after the last configure.
    settleRepaints_ = 0;
    settleRepaint_.start(kSettleRepaintMs);
  }
  return QWidget::nativeEvent(eventType, message, result);
}

bool TForm1::event(QEvent* event) {
  if (input_ && input_->handleEvent(event)) {
    return true;
  }
  return QWidget::event(event);
}

void TForm1::keyPressEvent(QKeyEvent* event) {
  input_->keyPress(event);
}
void TForm1::flushKeyRelease() {
  input_->flushKeyRelease();
}
bool TForm1::keyReleasePending() const {
  return input_->keyReleasePending();
}
void TForm1::keyReleaseEvent(QKeyEvent* event) {
  input_->keyRelease(event);
}
void TForm1::mousePressEvent(QMouseEvent* event) {
  input_->mousePress(event);
}
void TForm1::mouseReleaseEvent(QMouseEvent* event) {
  input_->mouseRelease(event);
}
void TForm1::mouseMoveEvent(QMouseEvent* event) {
  input_->mouseMove(event);
}

}  // namespace tavro
