// Program start: the windows, the event loop, and the floating-point control
// word kept as the sound library expects it while the program runs.

#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include "shell/CommandLine.h"
#include "shell/EndRequest.h"
#include "shell/ErrorBox.h"
#include "shell/PlatformChoice.h"
#include "shell/Program.h"
#include "shell/SettingsStore.h"
#include "shell/SignalExit.h"
#include "shell/TimeZoneGuard.h"
#include "shell/WindowKit.h"
#include "skin/BackdropPrefetch.h"
#include "sound/SoundSystem.h"

int main(int argc, char** argv) {
  tavro::guardTimeZone();  // before anything reads the zone TZ names
  // --help, --version and --check-skin run without a window or a display.
  if (const std::optional<int> status = tavro::runCommandLine(argc, argv)) return *status;
  tavro::choosePlatform();
  // In fullscreen mode the backdrop decodes on a thread of its own while the
  // toolkit and the windows are set up.
  tavro::backdropPrefetch::startForThisRun(tavro::SettingsStore().readBool("FullscreenMode", true));
  QApplication app(argc, argv);
  // The program ends by its own close handler and commands only: before
  // Play no window of its counts for Qt as a last one (the device window is
  // hidden, the side windows are its dialogs), so the box closed over the
  // launcher would otherwise end it.
  QApplication::setQuitOnLastWindowClosed(false);
  tavro::SignalExit signalExit;  // SIGTERM, SIGINT, SIGHUP end the program as Exit does
  tavro::setApplicationTitle(QString());
  QApplication::setWindowIcon(QIcon(QPixmap::fromImage(tavro::builtinImage("icon"))));
  tavro::maskFloatingPointExceptions();
  int result = 0;
  {
    tavro::Program program;
    // A signal during the start-up (in an error box, say) ends it as Exit does.
    if (program.start() && !tavro::endRequested()) {
      result = QApplication::exec();
    }
  }
  tavro::backdropPrefetch::finish();
  tavro::restoreFloatingPointControl();
  return result;
}
