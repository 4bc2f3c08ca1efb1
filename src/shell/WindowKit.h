#pragma once
// Small pieces shared by the side windows: the Arial fonts of their layouts,
// the built-in pictures, and placing a window in the centre of the screen.

#include <QFont>
#include <QImage>

class QWidget;

namespace tavro {

QFont arialFont(int pixels, bool bold = false, bool underline = false, bool italic = false);

// A built-in picture, or a null image while the program has none of that name.
QImage builtinImage(const char* name);

// Left = (screen width - window width) / 2, truncated; likewise the top; a
// negative result becomes 0.
void centreOnPrimaryScreen(QWidget& window);

}  // namespace tavro
