#pragma once
// Small pieces shared by the side windows: the Arial fonts of their layouts,
// the built-in pictures, and placing a window in the centre of the screen.

#include <QFont>
#include <QImage>
#include <functional>

class QWidget;

namespace tavro {

QFont arialFont(int pixels, bool bold = false, bool underline = false, bool italic = false);

// A built-in picture, or a null image while the program has none of that name.
QImage builtinImage(const char* name);

// Left = (screen width - window width) / 2, truncated; likewise the top; a
// negative result becomes 0.
void centreOnPrimaryScreen(QWidget& window);

// Where the keyboard goes when a side window that has it is hidden (the
// window enabled for input: key settings while it is open, else the device
// window). Set by the program once its windows exist; told which window
// is leaving.
void setKeyboardHome(std::function<void(const QWidget& leaving)> home);

// Called by a side window just before it hides: while it has the keyboard,
// the keyboard goes home first. The window system would otherwise drop the
// keyboard with the window, and a later request to take it back can lose
// against that drop (its time stamp is older than the hide).
void handKeyboardBack(const QWidget& window);

// The same when a window manager minimises the window (it takes the keyboard
// away and may give it to no window at all).
void handKeyboardBackWhenMinimised(QWidget& window);

}  // namespace tavro
