// The main of the core test programs: a QCoreApplication and nothing of the
// GUI, so these programs link the core library alone.
#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
  // Tests never read the user's real settings or data.
  qputenv("XDG_CONFIG_HOME", "/nonexistent-vendle-test-config");
  ::testing::InitGoogleTest(&argc, argv);
  QCoreApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
