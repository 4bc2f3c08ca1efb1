#include "shell/WindowSystem.h"

#include <QByteArray>
#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#if defined(TAVRO_HAVE_XCB)
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#endif

namespace tavro {
namespace {

#if defined(TAVRO_HAVE_XCB)
xcb_connection_t* x11Connection() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_atom_t atomNamed(xcb_connection_t* connection, const char* name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 1, static_cast<uint16_t>(std::strlen(name)), name),
      nullptr);
  const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

// The window a WINDOW property of `window` names, or none.
xcb_window_t windowProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t atom) {
  xcb_get_property_reply_t* reply = xcb_get_property_reply(
      connection, xcb_get_property(connection, 0, window, atom, XCB_ATOM_WINDOW, 0, 1), nullptr);
  xcb_window_t named = XCB_WINDOW_NONE;
  if (reply != nullptr && reply->format == 32 && xcb_get_property_value_length(reply) >= 4) {
    std::memcpy(&named, xcb_get_property_value(reply), sizeof named);
  }
  std::free(reply);
  return named;
}

// EWMH: the root names a child window of the window manager, which names
// itself in the same property (a stale property of a manager that went away
// names a window that no longer exists, or another one).
bool x11WindowManagerRunning(xcb_connection_t* connection) {
  const xcb_atom_t check = atomNamed(connection, "_NET_SUPPORTING_WM_CHECK");
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  if (check == XCB_ATOM_NONE || screen == nullptr) {
    return false;
  }
  const xcb_window_t child = windowProperty(connection, screen->root, check);
  return child != XCB_WINDOW_NONE && windowProperty(connection, child, check) == child;
}
#endif

}  // namespace

bool nativeWayland() {
  return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool windowManagerRunning() {
  if (nativeWayland()) {
    return true;
  }
#if defined(TAVRO_HAVE_XCB)
  if (xcb_connection_t* connection = x11Connection()) {
    return x11WindowManagerRunning(connection);
  }
#endif
  return false;
}

bool startSystemDrag(QWidget& window) {
  QWindow* handle = window.windowHandle();
  return handle != nullptr && handle->startSystemMove();
}

namespace {

// Makes its window the owner's dialog each time it is about to be shown.
class OwnerKeeper : public QObject {
 public:
  OwnerKeeper(QWidget& window, QWidget& owner) : QObject(&window), owner_(owner) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      QWindow* handle = static_cast<QWidget*>(watched)->windowHandle();
      if (handle != nullptr && owner_.windowHandle() != nullptr) {
        handle->setTransientParent(owner_.windowHandle());
      }
    }
    return false;
  }

 private:
  QWidget& owner_;
};

}  // namespace

void keepAbove(QWidget& window, QWidget& owner) {
  new OwnerKeeper(window, owner);
}

bool isConfigureEvent(const QByteArray& eventType, const void* message) {
#if defined(TAVRO_HAVE_XCB)
  if (eventType == "xcb_generic_event_t" && message != nullptr) {
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    return (event->response_type & 0x7f) == XCB_CONFIGURE_NOTIFY;
  }
#else
  (void)eventType;
  (void)message;
#endif
  return false;
}

void bringForward(QWidget& window) {
  if (window.isMinimized()) {
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
  }
  window.show();
  window.raise();
  window.activateWindow();
}

}  // namespace tavro
