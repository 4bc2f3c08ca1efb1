// Test entry point for the tests that need Qt: one QApplication for the whole run.
#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  // Defaults for running a test executable by hand or from CTest: no screen,
  // no sound card, and the ready-to-run folder of this build.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("TAVRO_TEST_DIST", TAVRO_TEST_DIST_DIR, 0);
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
