// The serial link over real pseudo-terminals: the link opens the slave end by
// its path, as the RS232 key would name it, and the test reads the master end.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/headless/engine_startup.h"
#include "controls/controls.h"
#include "engine/engine.h"
#include "outputs/output_stage.h"
#include "outputs/serial_link.h"
#include "platform/audio/clip_source.h"
#include "platform/audio/demo_clip.h"
#include "platform/serial_port_linux.h"

namespace lumiglow {
namespace {

// A pseudo-terminal whose slave end is left for the link to open.
class Pty {
 public:
  Pty() {
    int slave = -1;
    char name[128] = {};
    if (openpty(&master_, &slave, name, nullptr, nullptr) != 0) return;
    path_ = name;
    close(slave);
  }
  ~Pty() { CloseMaster(); }
  void CloseMaster() {
    if (master_ >= 0) close(master_);
    master_ = -1;
  }
  bool Ok() const { return master_ >= 0; }
  const std::string& Path() const { return path_; }

  // Up to `count` bytes, waiting at most `timeout_ms` for each read.
  std::vector<uint8_t> Read(std::size_t count, int timeout_ms = 2000) {
    std::vector<uint8_t> bytes;
    while (bytes.size() < count) {
      pollfd wait{master_, POLLIN, 0};
      if (poll(&wait, 1, timeout_ms) <= 0 || !(wait.revents & POLLIN)) break;
      uint8_t buffer[256];
      const ssize_t n = read(master_, buffer, std::min(sizeof buffer, count - bytes.size()));
      if (n <= 0) break;
      bytes.insert(bytes.end(), buffer, buffer + n);
    }
    return bytes;
  }
  bool HasPendingBytes() {
    pollfd wait{master_, POLLIN, 0};
    return poll(&wait, 1, 0) > 0 && (wait.revents & POLLIN);
  }
  // The slave end has no opener left: the link closed it.
  bool SlaveClosed(int timeout_ms = 2000) {
    pollfd wait{master_, POLLIN, 0};
    return poll(&wait, 1, timeout_ms) > 0 && (wait.revents & POLLHUP);
  }

 private:
  int master_ = -1;
  std::string path_;
};

// The real layer with the enumeration hidden, so the scan probes only the
// pseudo-terminals and leaves the machine's own serial ports alone.
class PtyOnlyPorts : public LinuxSerialPortAccess {
 public:
  std::vector<std::string> ListPorts() override { return {}; }
};

// Descriptors of this process that point at `path`.
int OpenDescriptorsOn(const std::string& path) {
  int count = 0;
  for (int fd = 0; fd < 1024; ++fd) {
    char target[256] = {};
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t n = readlink(link.c_str(), target, sizeof target - 1);
    if (n > 0 && path == target) ++count;
  }
  return count;
}

std::vector<std::string> ComPortItems(const Controls& controls) {
  std::vector<std::string> items;
  for (int i = 0; i < controls.ItemCount(ctl::kComPortBox); ++i)
    items.push_back(controls.ItemText(ctl::kComPortBox, i));
  return items;
}

class SerialPtyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(a_.Ok() && b_.Ok()) << "openpty failed";
    engine_.SetRecordingSource(&source_);
    StartValues values;
    values.light_mode = 4;  // the level bar graph: channels change with the music
    PrepareEngine(engine_, values);
    source_.StartRecording();
    EngineHooks hooks = engine_.Hooks();
    hooks.output_stage = &stage_;
    engine_.SetHooks(hooks);
  }

  Pty a_, b_;
  Controls controls_;
  Engine engine_{controls_};
  ClipRecordingSource source_{MakeDemoClip(), ClipRecordingSource::Timing::kOffline};
  PtyOnlyPorts ports_;
  SerialLink link_{ports_, controls_, engine_.State()};
  OutputStage stage_{nullptr, &link_, nullptr};
};

TEST_F(SerialPtyTest, OneFramePerCycleCarriesTheChannelStates) {
  link_.ScanSerialPorts(a_.Path());
  const auto items = ComPortItems(controls_);
  ASSERT_NE(std::find(items.begin(), items.end(), a_.Path()), items.end());
  EXPECT_EQ(controls_.Text(ctl::kComPortBox), a_.Path());
  ASSERT_EQ(link_.SerialActive(), 1);
  // Line-feed, carriage-return and XON values must leave as they are.
  controls_.SetState(ctl::kBrightBar, 10);
  controls_.SetState(ctl::kStepBar, 17);

  int lit_frames = 0;
  for (int cycle = 1; cycle <= 60; ++cycle) {
    SCOPED_TRACE(cycle);
    if (cycle == 30) controls_.SetState(ctl::kBrightBar, 13);
    engine_.WorkerCycle();
    const std::vector<uint8_t> frame = a_.Read(kSerialFrameSize);
    ASSERT_EQ(frame.size(), static_cast<std::size_t>(kSerialFrameSize));
    EXPECT_FALSE(a_.HasPendingBytes());
    EXPECT_EQ(frame[0], 0xFF);
    bool lit = false;
    for (int c = 1; c <= 18; ++c) {
      const bool on = engine_.State().ChannelStates[c] != 0;
      EXPECT_EQ(frame[c], on ? 0xFE : 0x00) << "channel " << c;
      lit = lit || on;
    }
    lit_frames += lit ? 1 : 0;
    EXPECT_EQ(frame[19], cycle < 30 ? 10 : 13);
    EXPECT_EQ(frame[20], 17);
  }
  EXPECT_GT(lit_frames, 0) << "the demo lit no channel: the check above proved little";
}

TEST_F(SerialPtyTest, ChoosingAnotherPortClosesTheFirst) {
  link_.ScanSerialPorts(a_.Path());
  ASSERT_EQ(link_.SerialActive(), 1);
  engine_.WorkerCycle();
  EXPECT_EQ(a_.Read(kSerialFrameSize).size(), static_cast<std::size_t>(kSerialFrameSize));

  controls_.AddItem(ctl::kComPortBox, b_.Path());
  controls_.SetState(ctl::kComPortBox, controls_.ItemCount(ctl::kComPortBox) - 1);
  link_.OpenChosenSerialPort();
  ASSERT_EQ(link_.SerialActive(), 1);
  EXPECT_TRUE(a_.SlaveClosed());

  engine_.WorkerCycle();
  EXPECT_EQ(b_.Read(kSerialFrameSize).size(), static_cast<std::size_t>(kSerialFrameSize));
  EXPECT_FALSE(a_.HasPendingBytes());

  controls_.SetState(ctl::kComPortBox, 0);  // the empty item: no serial output
  link_.OpenChosenSerialPort();
  EXPECT_EQ(link_.SerialActive(), 0);
  EXPECT_TRUE(b_.SlaveClosed());
}

TEST_F(SerialPtyTest, APortAnotherProgramHoldsIsNotListed) {
  const int holder = open(a_.Path().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);
  link_.ScanSerialPorts(a_.Path());
  const auto items = ComPortItems(controls_);
  EXPECT_EQ(std::find(items.begin(), items.end(), a_.Path()), items.end());
  EXPECT_EQ(controls_.State(ctl::kComPortBox), 0);
  EXPECT_EQ(link_.SerialActive(), 0);
  close(holder);
}

TEST_F(SerialPtyTest, TheOpenPortIsOursAloneAndFreeAgainAfterClosing) {
  link_.ScanSerialPorts(a_.Path());
  ASSERT_EQ(link_.SerialActive(), 1);
  EXPECT_EQ(ports_.OpenPort(a_.Path()), 0u);  // a second opener is kept out
  link_.CloseOutputPort();
  const SerialPortAccess::Port again = ports_.OpenPort(a_.Path());
  EXPECT_NE(again, 0u);
  ports_.ClosePort(again);
}

TEST_F(SerialPtyTest, AHungUpPortIsClosedAndTheFramesStop) {
  link_.ScanSerialPorts(a_.Path());
  ASSERT_EQ(link_.SerialActive(), 1);
  EXPECT_EQ(OpenDescriptorsOn(a_.Path()), 1);
  a_.CloseMaster();  // the other end goes away: writes fail with an I/O error
  engine_.WorkerCycle();
  EXPECT_EQ(OpenDescriptorsOn(a_.Path()), 0);
  engine_.WorkerCycle();  // no hang; the link looks for the path again once a second
  EXPECT_EQ(link_.SerialActive(), 1);
}

// A port the system enumerates goes through libserialport itself. Its line
// settings are put back afterwards: this may be the machine's console.
TEST(SerialPortEnumeration, AnEnumeratedPortOpensExclusively) {
  LinuxSerialPortAccess ports;
  const std::vector<std::string> listed = ports.ListPorts();
  if (listed.empty()) GTEST_SKIP() << "this machine enumerates no serial port";
  const std::string& path = listed.front();
  const int keeper = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  termios saved{};
  if (keeper < 0 || tcgetattr(keeper, &saved) != 0) GTEST_SKIP() << path << " cannot be opened";
  const SerialPortAccess::Port port = ports.OpenPort(path);
  termios line{};
  const bool read_back = tcgetattr(keeper, &line) == 0;
  const bool second_open_refused = port != 0 && ports.OpenPort(path) == 0;
  ports.ClosePort(port);
  tcsetattr(keeper, TCSANOW, &saved);
  close(keeper);
  if (port == 0) GTEST_SKIP() << path << " is in use by another program";
  EXPECT_TRUE(second_open_refused);
  ASSERT_TRUE(read_back);
  EXPECT_EQ(cfgetospeed(&line), static_cast<speed_t>(B9600));
  EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_EQ(line.c_oflag & OPOST, 0u);
}

TEST(SerialPortEnumeration, ListsWithoutError) {
  LinuxSerialPortAccess ports;
  for (const std::string& path : ports.ListPorts()) EXPECT_EQ(path.rfind("/dev/", 0), 0u) << path;
  EXPECT_FALSE(ports.IsDevice("/nonexistent/tty"));
  EXPECT_TRUE(ports.IsDevice("/dev/null"));
  EXPECT_EQ(ports.OpenPort("/dev/null"), 0u);  // a device, but not a terminal
  EXPECT_EQ(ports.OpenPort(""), 0u);
}

}  // namespace
}  // namespace lumiglow
