#include "input/keys.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "shell/SettingsStore.h"
#include "shell/WindowBorder.h"
#include "shell/WindowKit.h"
#include "shell/WindowSystem.h"

namespace tavro {
namespace {
const QColor kBackground(0x08, 0x29, 0x52);
const QColor kClash(0xFF, 0x00, 0x00);

QFont arial(int pixels, bool bold = false, bool underline = false) {
  return arialFont(pixels, bold, underline);
}

void setTextColour(QLabel* label, const QColor& colour) {
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, colour);
  label->setPalette(pal);
}
}  // namespace

TKeysForm::TKeysForm(std::array<KeyBinding, kButtonCount>& bindings,
                     const std::array<std::string, kBindableKeyCount + 1>& keyNames,
                     SettingsStore& settings, KeysActions actions, QWidget* parent)
    : QWidget(parent, Qt::WindowFlags(windowFlagsFor(WindowBorder::FixedNoIcons))),
      bindings_(bindings),
      keyNames_(keyNames),
      settings_(settings),
      actions_(std::move(actions)) {
  setWindowTitle(QStringLiteral("Key settings"));
  // The lists' font, which they take from the window when they are made: a
  // list given a font of its own builds its drop-down list at once.
  setFont(arial(11));
  setFixedSize(448, 163);
  keepWindowBorder(*this, WindowBorder::FixedNoIcons);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kBackground);
  setPalette(pal);
  setAutoFillBackground(true);

  auto label = [this](const QRect& place, const char* text, const QFont& font,
                      Qt::Alignment align) {
    auto* l = new QLabel(QString::fromUtf8(text), this);
    l->setGeometry(place);
    l->setFont(font);
    l->setAlignment(align | Qt::AlignVCenter);
    setTextColour(l, Qt::white);
    return l;
  };
  la_main = label({8, 8, 104, 13}, "Main operations", arial(11, true, true), Qt::AlignLeft);
  la_controls = label({336, 8, 104, 13}, "Game controls", arial(11, true, true), Qt::AlignRight);

  struct Place {
    QRect list, caption;
    const char* text;
    Qt::Alignment align;
  };
  const std::array<Place, kButtonCount> places{{
      {{8, 29, 120, 21}, {136, 33, 72, 14}, "Game A", Qt::AlignLeft},
      {{8, 61, 120, 21}, {136, 65, 72, 14}, "Game B", Qt::AlignLeft},
      {{8, 93, 120, 21}, {136, 97, 72, 14}, "Time", Qt::AlignLeft},
      {{320, 29, 120, 21}, {240, 33, 72, 14}, "Left", Qt::AlignRight},
      {{320, 61, 120, 21}, {240, 65, 72, 14}, "Right", Qt::AlignRight},
  }};
  QStringList entries;
  for (int choice = 1; choice <= kBindableKeyCount; ++choice) {
    entries << QString::fromUtf8(bindableKey(choice)->entry);
  }
  for (int n = 0; n < kButtonCount; ++n) {
    cb[n] = new QComboBox(this);
    cb[n]->setEditable(false);
    cb[n]->setGeometry(places[n].list);
    cb[n]->addItems(entries);
    const int32_t choice = bindings_[n].choice;
    cb[n]->setCurrentIndex(choice >= 1 && choice <= kBindableKeyCount ? choice - 1 : -1);
    cb[n]->installEventFilter(this);  // key preview (the dropped-down lists: watchLists)
    connect(cb[n], &QComboBox::currentIndexChanged, this, [this] { cbChange(); });
    la[n] = label(places[n].caption, places[n].text, arial(11, true), places[n].align);
  }
  btn_accept = new QPushButton(QStringLiteral("- ACCEPT -"), this);
  btn_accept->setGeometry(183, 130, 82, 25);
  btn_accept->setFont(arial(11, true));
  btn_accept->setCursor(Qt::PointingHandCursor);
  btn_accept->setAutoDefault(false);
  btn_accept->installEventFilter(this);
  connect(btn_accept, &QPushButton::clicked, this, [this] { btn_acceptClick(); });
  for (int n = 0; n + 1 < kButtonCount; ++n) {
    setTabOrder(cb[n], cb[n + 1]);
  }
  setTabOrder(cb[kButtonCount - 1], btn_accept);
  cbChange();
}

void TKeysForm::openCentred() {
  centreOnPrimaryScreen(*this);
  bringForward(*this);
  if (actions_.setDeviceEnabled) actions_.setDeviceEnabled(false);
}

bool TKeysForm::CheckKeys() {
  for (QLabel* l : la) {
    setTextColour(l, Qt::white);
  }
  bool conflict = false;
  for (int i = 0; i < kButtonCount; ++i) {
    // A list without a selection would store a choice outside 1..44.
    if (cb[i]->currentIndex() < 0) {
      setTextColour(la[i], kClash);
      conflict = true;
    }
    for (int j = 0; j < kButtonCount; ++j) {
      if (i != j && cb[i]->currentText() == cb[j]->currentText()) {
        setTextColour(la[i], kClash);
        setTextColour(la[j], kClash);
        conflict = true;
      }
    }
  }
  return conflict;
}

void TKeysForm::cbChange() {
  btn_accept->setEnabled(!CheckKeys());
}

void TKeysForm::btn_acceptClick() {
  if (CheckKeys()) {
    return;  // never store a clash or a missing choice
  }
  for (int n = 1; n <= kButtonCount; ++n) {
    KeyBinding& binding = bindings_[n - 1];
    binding.choice = cb[n - 1]->currentIndex() + 1;
    settings_.writeInteger("Key" + std::to_string(n), binding.choice);
    AssignWord(n, binding, binding);
  }
  if (actions_.setHints) actions_.setHints(tooltipHints(bindings_, keyNames_));
  closeWindow();
}

void TKeysForm::closeWindow() {
  if (actions_.setDeviceEnabled) actions_.setDeviceEnabled(true);
  hide();
}

bool TKeysForm::FormKeyDown(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (btn_accept->isEnabled()) btn_acceptClick();
      return true;
    case Qt::Key_Escape:
      closeWindow();
      return true;
    default:
      return false;
  }
}

bool TKeysForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool windowKey = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
    if (windowKey) {
      for (QComboBox* list : cb) {
        if (watched == list->view()) {
          list->hidePopup();  // the window's key, not the list's
        }
      }
    }
    if (FormKeyDown(static_cast<QKeyEvent*>(event))) {
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TKeysForm::keyPressEvent(QKeyEvent* event) {
  if (!FormKeyDown(event)) {
    QWidget::keyPressEvent(event);
  }
}

void TKeysForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  watchLists();
  cb[0]->setFocus();
}

void TKeysForm::watchLists() {
  if (listsWatched_) {
    return;
  }
  listsWatched_ = true;
  for (QComboBox* list : cb) {
    list->view()->installEventFilter(this);  // key preview with the list dropped down
  }
}

void TKeysForm::closeEvent(QCloseEvent* event) {
  // The window has no close button, but a window manager may still close it
  // (Alt+F4): that counts as Escape, so the device window is not left disabled.
  closeWindow();
  event->accept();
}

void TKeysForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    cb[0]->setFocus();  // FormActivate
  } else if (event->type() == QEvent::WindowStateChange && isMinimized() && isVisible()) {
    // A window manager that offers minimising anyway: a minimised key
    // settings window would leave the device disabled out of reach, so
    // minimising counts as Escape, as closing does.
    QMetaObject::invokeMethod(
        this,
        [this] {
          setWindowState(windowState() & ~Qt::WindowMinimized);
          if (isVisible()) closeWindow();
        },
        Qt::QueuedConnection);
  }
}

void TKeysForm::setVisible(bool visible) {
  if (!visible) {
    handKeyboardBack(*this);
  }
  QWidget::setVisible(visible);
}

}  // namespace tavro
