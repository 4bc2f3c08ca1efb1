// Program start: the windows, the event loop, and the floating-point control
// word kept as the sound library expects it while the program runs.

#include <QApplication>

#include "shell/ErrorBox.h"
#include "shell/Program.h"
#include "sound/SoundSystem.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  tavro::setApplicationTitle(QString());
  tavro::maskFloatingPointExceptions();
  int result = 0;
  {
    tavro::Program program;
    if (program.start()) {
      result = QApplication::exec();
    }
  }
  tavro::restoreFloatingPointControl();
  return result;
}
