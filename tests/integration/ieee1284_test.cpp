// The real parallel-port layer: libieee1284 loaded with dlopen. On a machine
// without a kernel parallel port it loads, finds no port, and writes go nowhere.
#include <gtest/gtest.h>
#include <unistd.h>

#include "app/headless/stderr_messages.h"
#include "controls/cp1251.h"
#include "outputs/parallel_port.h"
#include "platform/ieee1284_port.h"

namespace lumiglow {
namespace {

class NoMessages : public UserMessages {
 public:
  void ShowMessage(MessageIcon, const std::string&, const std::string&) override { ++shown; }
  int shown = 0;
};

TEST(Ieee1284PortAccess, LoadsWritesAndReleases) {
  Ieee1284PortAccess port;
  NoMessages messages;
  ASSERT_TRUE(RequirePortLibrary(port, messages)) << "libieee1284.so.3 is not installed";
  EXPECT_EQ(messages.shown, 0);
  if (access("/dev/parport0", F_OK) != 0) {
    EXPECT_EQ(port.PortFile(), "");
  }
  ParallelPort lpt(port);
  lpt.LptOut(kLptDataRegister, 0x81);
  lpt.LptOut(kLptControlRegister, 4);
  lpt.AllOff();
  EXPECT_EQ(port.PortFile(), "");
  lpt.LptOut(kLptDataRegister, 1);  // after the release: nowhere
}

class CapturedMessages : public UserMessages {
 public:
  void ShowMessage(MessageIcon, const std::string& title, const std::string& text) override {
    line = StderrMessages::LineFor(title, text);
  }
  std::string line;
};

TEST(Ieee1284PortAccess, AMissingLibraryGivesTheMessageNamingIt) {
  Ieee1284PortAccess port("libieee1284-missing.so.0");
  CapturedMessages messages;
  EXPECT_FALSE(RequirePortLibrary(port, messages));
  EXPECT_EQ(messages.line,
            "Файл отсутствует! Для работы программы требуется файл libieee1284-missing.so.0");
  port.Out32(kLptDataRegister, 1);  // nothing loaded: nothing happens
  port.ReleasePortLibrary();
}

}  // namespace
}  // namespace lumiglow
