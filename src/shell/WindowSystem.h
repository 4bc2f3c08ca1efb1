#pragma once
// What the windowing system under the program does with top-level windows,
// and the few requests that differ between X11 (with or without a window
// manager) and a Wayland compositor.

class QByteArray;
class QWidget;

namespace tavro {

// Qt's Wayland platform: windows cannot place themselves, a window mask is
// only an input region, and a window appears only while it is shown.
bool nativeWayland();

// Whether something manages the top-level windows: a compositor on Wayland,
// a window manager on X11 (one that advertises itself, as every current one
// does). False on a bare X server and on the offscreen platform.
bool windowManagerRunning();

// Hands a drag of the window, started by the left button held down now, to
// the window system (which moves the window itself, on Wayland the only way
// to move one). False where it cannot (a bare X server): the caller then
// moves the window itself.
bool startSystemDrag(QWidget& window);

// The window stays above its owner and is given the keyboard as the owner's
// dialog: on X11 WM_TRANSIENT_FOR names the owner, on Wayland it is the
// owner's child. Set at each show of the window (no native window is made
// before it is needed), while the owner has a native window.
void keepAbove(QWidget& window, QWidget& owner);

// Whether a native event tells the window its place or size (X11's
// ConfigureNotify, also sent with the size unchanged).
bool isConfigureEvent(const QByteArray& eventType, const void* message);

// Shows the window, restoring it first when it was minimised, brings it
// forward and gives it the keyboard.
void bringForward(QWidget& window);

}  // namespace tavro
