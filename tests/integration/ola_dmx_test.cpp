// DMX output against a real olad on loopback: a universe patched to the dummy
// port, written through the program's link and read back through libola; and a
// headless run whose trace is the same with and without the daemon.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <ola/DmxBuffer.h>
#include <ola/client/OlaClient.h>
#include <ola/io/SelectServer.h>
#include <ola/network/IPV4Address.h>
#include <ola/network/SocketAddress.h>
#include <ola/network/TCPSocket.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/headless/device_startup.h"
#include "controls/controls.h"
#include "engine/engine.h"
#include "outputs/dmx_link.h"
#include "outputs/fake_devices.h"
#include "outputs/output_stage.h"
#include "platform/ola_dmx_sender.h"

extern char** environ;

namespace lumiglow {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t kUniverse = 1;

pid_t Spawn(std::vector<std::string> args, const std::string& folder = "/") {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return failed ? -1 : pid;
}

int Wait(pid_t pid) {
  int status = 0;
  if (pid <= 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

// olad will not run as root: run it (and its tools) as nobody then.
std::vector<std::string> AsDaemonUser(std::vector<std::string> args) {
  if (geteuid() != 0) return args;
  args.insert(args.begin(), {"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"});
  return args;
}

bool OnPath(const std::string& name) {
  return Wait(Spawn({"sh", "-c", "command -v " + name})) == 0;
}

bool DaemonAnswers() {
  OlaDmxSender sender;
  return sender.Connect();
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The trace without its t_ms column.
std::string TraceRun(const std::string& folder, const std::string& settings) {
  std::ofstream(folder + "/setting.dat") << settings;
  const std::string trace = folder + "/trace.csv";
  EXPECT_EQ(Wait(Spawn({LUMIGLOW_BINARY, "--headless", "--input", "demo", "--offline", "--cycles",
                        "40", "--mode", "4", "--trace", trace},
                       folder)),
            0);
  std::istringstream rows(ReadAll(trace));
  std::string row, out;
  while (std::getline(rows, row)) {
    const auto first = row.find(',');
    const auto second = row.find(',', first + 1);
    out += row.substr(0, first) + row.substr(second) + "\n";
  }
  return out;
}

// The slots of the universe as olad holds them.
struct UniverseFetch {
  void Done(const ola::client::Result& result, const ola::client::DMXMetadata&,
            const ola::DmxBuffer& buffer) {
    if (result.Success()) got = buffer;
    server->Terminate();
  }
  ola::io::SelectServer* server = nullptr;
  std::optional<ola::DmxBuffer> got;
};

// A plain client on its own socket (the client wrapper leaks a callback).
std::optional<ola::DmxBuffer> FetchUniverse() {
  std::unique_ptr<ola::network::TCPSocket> socket(ola::network::TCPSocket::Connect(
      ola::network::IPV4SocketAddress(ola::network::IPV4Address::Loopback(), 9010)));
  if (!socket) return std::nullopt;
  ola::io::SelectServer server;
  ola::client::OlaClient client(socket.get());
  if (!client.Setup()) return std::nullopt;
  server.AddReadDescriptor(socket.get());
  UniverseFetch fetch;
  fetch.server = &server;
  client.FetchDMX(kUniverse, ola::NewSingleCallback(&fetch, &UniverseFetch::Done));
  server.Run();
  server.RemoveReadDescriptor(socket.get());
  client.Stop();
  return fetch.got;
}

// Fetches until `ready` holds for what olad gives (it applies frames
// asynchronously to the fetch), for up to a second.
template <typename Ready>
std::optional<ola::DmxBuffer> FetchWhen(Ready ready) {
  std::optional<ola::DmxBuffer> got;
  for (int i = 0; i < 50; ++i) {
    got = FetchUniverse();
    if (got && ready(*got)) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return got;
}

class OlaDmxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // ctest runs tests side by side and olad takes a fixed port: one at a time.
    lock_ = open("/tmp/lumiglow-olad-test.lock", O_CREAT | O_RDWR | O_CLOEXEC, 0666);
    ASSERT_GE(lock_, 0);
    ASSERT_EQ(flock(lock_, LOCK_EX), 0);
    if (!OnPath("olad") || !OnPath("ola_patch")) GTEST_SKIP() << "olad is not installed (ola)";
    if (DaemonAnswers()) GTEST_SKIP() << "an olad already runs on the default port";
    char folder[] = "/tmp/lumiglow-ola-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    folder_ = folder;
    fs::create_directories(folder_ + "/olad");
    fs::create_directories(folder_ + "/run");
    if (geteuid() == 0) Wait(Spawn({"chown", "nobody", folder_ + "/olad"}));
  }
  void TearDown() override {
    StopDaemon();
    if (!folder_.empty()) fs::remove_all(folder_);
    if (lock_ >= 0) close(lock_);  // releases the lock
  }
  void StartDaemon() {
    olad_ = Spawn(AsDaemonUser({"olad", "--config-dir", folder_ + "/olad", "--no-http"}));
    ASSERT_GT(olad_, 0);
    for (int i = 0; i < 100 && !DaemonAnswers(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_TRUE(DaemonAnswers());
    // Device 1 is the dummy device; its output port carries the universe.
    ASSERT_EQ(Wait(Spawn(AsDaemonUser({"ola_patch", "-d", "1", "-p", "0", "-u", "1"}))), 0);
  }
  void StopDaemon() {
    if (olad_ <= 0) return;
    kill(olad_, SIGTERM);
    Wait(olad_);
    olad_ = -1;
  }

  std::string folder_;
  pid_t olad_ = -1;
  int lock_ = -1;
};

TEST_F(OlaDmxTest, TheTraceIsTheSameWithAndWithoutTheDaemon) {
  const std::string run = folder_ + "/run";
  const std::string plain = TraceRun(run, "Invert = 0\r\n");
  ASSERT_FALSE(plain.empty());
  EXPECT_EQ(TraceRun(run, "DMX_UNIVERSE = 1\r\nDMX_START = 10\r\n"), plain);  // no daemon
  StartDaemon();
  EXPECT_EQ(TraceRun(run, "DMX_UNIVERSE = 1\r\nDMX_START = 10\r\n"), plain);
  // The run's exit left the universe dark.
  const auto after = FetchUniverse();
  ASSERT_TRUE(after.has_value());
  for (unsigned slot = 0; slot < after->Size(); ++slot) EXPECT_EQ(after->Get(slot), 0) << slot;
}

TEST_F(OlaDmxTest, TheSlotsCarryTheChannelStatesAndTheExitBlacksThemOut) {
  StartDaemon();
  OlaDmxSender sender;
  std::vector<std::string> lines;
  DmxLink link(sender, DmxSettings{kUniverse, 10}, [&](const std::string& line) { lines.push_back(line); });
  std::array<int32_t, 19> states{};
  for (int c = 1; c <= 18; c += 3) states[c] = 1;
  link.WriteSlots(states);
  ASSERT_TRUE(link.Connected());
  auto got = FetchWhen([](const ola::DmxBuffer& b) { return b.Size() >= 27 && b.Get(9) == 255; });
  ASSERT_TRUE(got.has_value());
  for (int c = 1; c <= 18; ++c) EXPECT_EQ(got->Get(8 + c), states[c] ? 255 : 0) << c;
  EXPECT_EQ(got->Get(8), 0);

  link.Blackout();
  got = FetchWhen([](const ola::DmxBuffer& b) { return b.Get(9) == 0; });
  ASSERT_TRUE(got.has_value());
  for (unsigned slot = 0; slot < got->Size(); ++slot) EXPECT_EQ(got->Get(slot), 0) << slot;
  EXPECT_EQ(lines.size(), 1u);
}

// The window's way: the devices already run when the user enters a universe;
// the cycles then reach it, with the brightness when DMX_LEVEL asks for it.
TEST_F(OlaDmxTest, AUniverseChosenWhileRunningIsFedAndBlackedOutOnExit) {
  StartDaemon();
  DeviceStartup devices(std::make_unique<testing::FakeHid>(),
                        std::make_unique<testing::FakeSerialPorts>(),
                        std::make_unique<testing::FakePort>(true));
  Controls controls;
  Engine engine(controls);
  devices.Start(engine, DeviceSettings{});
  engine.WorkerCycle();  // no universe yet: nothing asked of the daemon

  controls.SetState(ctl::kBrightBar, 9);
  devices.SetDmx(DmxSettings{kUniverse, 1, true});
  engine.SetChannel(3, 1);
  devices.Stage()->Send(controls, engine.State());
  auto got = FetchWhen([](const ola::DmxBuffer& b) { return b.Size() >= 3 && b.Get(2) != 0; });
  ASSERT_TRUE(got.has_value());
  EXPECT_EQ(got->Get(2), 9 * 17);
  EXPECT_EQ(got->Get(1), 0);

  devices.Exit();
  got = FetchWhen([](const ola::DmxBuffer& b) { return b.Get(2) == 0; });
  ASSERT_TRUE(got.has_value());
  EXPECT_EQ(got->Get(2), 0);
}

}  // namespace
}  // namespace lumiglow
