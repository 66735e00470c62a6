// The main of every test program: a QApplication on the offscreen platform,
// so that tests run headless and never block on a window system.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Tests never read the user's real settings or data.
  qputenv("XDG_CONFIG_HOME", "/nonexistent-vendle-test-config");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
