#pragma once
// Work that may wait until a window's first frame is on the screen: run once,
// from the event loop, after the window's first paint.

#include <functional>

class QWidget;

namespace tavro {

void afterFirstFrame(QWidget& window, std::function<void()> work);

}  // namespace tavro
