// The window tests run inside one QApplication: on the X server of $DISPLAY
// when one answers, otherwise on Qt's offscreen platform (the tests that need
// a real X server then skip).
#include <gtest/gtest.h>

#include <QApplication>
#include <QStyleFactory>

#include "platform/x_display.h"

// Qt, GLib, D-Bus, xcb and fontconfig are not built with the sanitizers: they
// synchronise their own threads (the X event reader, the D-Bus connection, the
// event queues) in ways ThreadSanitizer cannot see, and keep caches until the
// process ends. The program's own cross-thread state is atomics and the engine
// lock, which the sanitizers do see.
extern "C" __attribute__((used)) const char* __tsan_default_options() {
  return "ignore_noninstrumented_modules=1";
}
extern "C" __attribute__((used)) const char* __tsan_default_suppressions() {
  return "race:libQt6Core.so\n"
         "race:libQt6Gui.so\n"
         "race:libQt6Widgets.so\n"
         "race:libQt6DBus.so\n"
         "race:libQt6XcbQpa.so\n"
         "race:libglib-2.0.so\n"
         "race:libdbus-1.so\n"
         "race:libxcb.so\n";
}
extern "C" __attribute__((used)) const char* __lsan_default_suppressions() {
  return "leak:libdbus-1.so\n"
         "leak:libfontconfig.so\n";
}

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
