#include <gtest/gtest.h>

#include <QApplication>

// Every test program runs with a real QApplication on the offscreen platform, so widgets can be
// created, shown and clicked without a display.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Hollowmere"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
