#pragma once
// Which of Qt's window system plugins the program runs on.

namespace tavro {

// Where an X server is at hand (DISPLAY set) and the user chose no platform
// (QT_QPA_PLATFORM unset or empty), the program runs on X11, through
// XWayland on a Wayland desktop: there windows can place themselves
// (centred, parked off the screen, dragged) and a window shape is a shape,
// as the handheld's window needs. Wayland stays second, for an X server
// that cannot be reached. A platform the user chose is left alone, as is a
// session without an X server.
void choosePlatform();

// The choice itself: the QT_QPA_PLATFORM value to set, or null to leave it.
const char* platformFor(const char* display, const char* chosen);

}  // namespace tavro
