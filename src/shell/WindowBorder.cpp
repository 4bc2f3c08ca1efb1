#include "shell/WindowBorder.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#if defined(TAVRO_HAVE_XCB)
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#endif

namespace tavro {
namespace {

// From the Motif window manager's hints.
constexpr unsigned kHintsFunctions = 1u << 0;
constexpr unsigned kHintsDecorations = 1u << 1;
constexpr unsigned kFuncMove = 1u << 2;
constexpr unsigned kFuncClose = 1u << 5;
constexpr unsigned kDecorBorder = 1u << 1;
constexpr unsigned kDecorTitle = 1u << 3;

#if defined(TAVRO_HAVE_XCB)
xcb_atom_t internAtom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

void writeMotifHints(QWidget& window, const MotifHints& hints) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->connection() == nullptr) {
    return;  // another windowing system (Wayland, offscreen)
  }
  xcb_connection_t* connection = x11->connection();
  const xcb_atom_t atom = internAtom(connection, "_MOTIF_WM_HINTS");
  if (atom == XCB_ATOM_NONE) {
    return;
  }
  const uint32_t words[5] = {hints.flags, hints.functions, hints.decorations,
                             static_cast<uint32_t>(hints.inputMode), hints.status};
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window.winId()),
                      atom, atom, 32, 5, words);
  xcb_flush(connection);
}
#else
void writeMotifHints(QWidget&, const MotifHints&) {}
#endif

// Rewrites the hints at every show of its window.
class BorderKeeper : public QObject {
 public:
  BorderKeeper(QWidget& window, WindowBorder border) : QObject(&window), border_(border) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      applyWindowBorder(*static_cast<QWidget*>(watched), border_);
    }
    return false;
  }

 private:
  WindowBorder border_;
};

}  // namespace

int windowFlagsFor(WindowBorder border) {
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (border == WindowBorder::DialogCloseOnly) {
    flags |= Qt::WindowCloseButtonHint;
  }
  return static_cast<int>(flags);
}

MotifHints motifHintsFor(WindowBorder border) {
  MotifHints hints;
  hints.flags = kHintsFunctions | kHintsDecorations;
  // Moving only: no resize (the size is fixed), no minimise or maximise.
  hints.functions = kFuncMove;
  hints.decorations = kDecorBorder | kDecorTitle;
  if (border == WindowBorder::DialogCloseOnly) {
    hints.functions |= kFuncClose;
  }
  return hints;
}

void applyWindowBorder(QWidget& window, WindowBorder border) {
  writeMotifHints(window, motifHintsFor(border));
}

void keepWindowBorder(QWidget& window, WindowBorder border) {
  new BorderKeeper(window, border);
}

}  // namespace tavro
