// The window tests run inside one QApplication: on the X server of $DISPLAY
// when one answers, otherwise on Qt's offscreen platform (the tests that need
// a real X server then skip).
#include <gtest/gtest.h>

#include <QApplication>
#include <QStyleFactory>

#include "platform/x_display.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!lumiglow::XDisplayReachable()) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  } else if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "xcb");
  }
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setQuitOnLastWindowClosed(false);
  return RUN_ALL_TESTS();
}
