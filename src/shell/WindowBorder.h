#pragma once
// The borders the side windows ask of the window manager. The Qt window flags
// give the window type and the title; on X11 the Motif hints are then written
// again, precisely: which decorations the frame shows and which functions
// (move, resize, minimise, maximise, close) the window manager offers.

class QWidget;

namespace tavro {

enum class WindowBorder {
  // A title and a single fixed border, no border icons at all (no system
  // menu, minimise, maximise or close).
  FixedNoIcons,
  // A dialog border whose only border icon is the close button.
  DialogCloseOnly,
};

// Window flags for the border (a dialog with a title, fixed size).
int windowFlagsFor(WindowBorder border);

// Writes the border's hints on the window's native window, creating it when
// needed. Harmless on platforms without Motif hints.
void applyWindowBorder(QWidget& window, WindowBorder border);

// Writes them each time the window is shown, before it is mapped, since Qt
// writes its own hints whenever the native window is made.
void keepWindowBorder(QWidget& window, WindowBorder border);

// The five 32-bit words of the Motif hints for the border: flags, functions,
// decorations, input mode, status.
struct MotifHints {
  unsigned flags = 0;
  unsigned functions = 0;
  unsigned decorations = 0;
  int inputMode = 0;
  unsigned status = 0;
};
MotifHints motifHintsFor(WindowBorder border);

}  // namespace tavro
