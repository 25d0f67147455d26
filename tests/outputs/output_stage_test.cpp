#include "outputs/output_stage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "controls/controls.h"
#include "engine/engine.h"
#include "outputs/dmx_link.h"
#include "outputs/fake_devices.h"
#include "outputs/parallel_port.h"
#include "outputs/serial_link.h"
#include "outputs/usb_link.h"

namespace lumiglow {
namespace {

using testing::FakeDmxSender;
using testing::FakeHid;
using testing::FakePort;
using testing::FakeSerialPorts;

constexpr uint16_t kVendor = 0x16C0;
constexpr uint16_t kProduct = 0x05DF;
const std::vector<uint8_t> kAllOff = {0x00, 0x40, 0x80};

// Every output connected: a controller, a serial port, a parallel port.
class OutputStageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hid_.Attach(kVendor, kProduct);
    usb_.PollUsbDevice();
    ports_.Add("/dev/ttyUSB0");
    serial_.ScanSerialPorts("/dev/ttyUSB0");
    ASSERT_EQ(serial_.SerialActive(), 1);
    ASSERT_TRUE(port_.LoadPortLibrary());
    for (int pin = 1; pin <= 18; ++pin) controls_.SetState(ctl::PinBox(pin), pin);
    controls_.SetState(ctl::kLptButton, 1);
  }
  SharedState& State() { return engine_.State(); }
  void Cycle() { engine_.WorkerCycle(); }

  FakeHid hid_;
  FakeSerialPorts ports_;
  FakePort port_;
  Controls controls_;
  Engine engine_{controls_};
  UsbLink usb_{hid_, controls_, engine_.State(), kVendor, kProduct};
  SerialLink serial_{ports_, controls_, engine_.State()};
  ParallelPort lpt_{port_};
  OutputStage stage_{&usb_, &serial_, &lpt_};
};

TEST_F(OutputStageTest, RunsOncePerWorkerCycleInItsOrder) {
  EngineHooks hooks = engine_.Hooks();
  hooks.output_stage = &stage_;
  engine_.SetHooks(hooks);
  State().ResendCommands = 1;
  Cycle();
  EXPECT_EQ(hid_.TakeReceived(), (std::vector<uint8_t>{0x00, 0x40, 0x80, 0xCB, 0xD8, 0xE2}));
  EXPECT_EQ(State().ResendCommands, 0);
  EXPECT_EQ(ports_.TakeFrames().size(), 1u);
  EXPECT_EQ(port_.TakeWrites(), (std::vector<std::pair<int, int>>{{888, 0}, {890, 11}}));
  Cycle();
  EXPECT_EQ(hid_.TakeReceived(), kAllOff);  // pin bytes every cycle, changed or not
}

TEST_F(OutputStageTest, ABarMovedTwiceInOneCycleSendsTheCommandsOnceWithTheLastValues) {
  controls_.SetState(ctl::kBrightBar, 3);
  State().ResendCommands = 1;
  controls_.SetState(ctl::kBrightBar, 15);
  controls_.SetState(ctl::kStepBar, 255);
  State().ResendCommands = 1;
  stage_.Send(controls_, State());
  EXPECT_EQ(hid_.TakeReceived(), (std::vector<uint8_t>{0x00, 0x40, 0x80, 0xCF, 0xDF, 0xEF}));
}

TEST_F(OutputStageTest, SuspendedOutputsSendNothingAnywhere) {
  State().OutputsSuspended = 1;
  State().ResendCommands = 1;
  engine_.SetChannel(1, 1);
  stage_.Send(controls_, State());
  EXPECT_TRUE(hid_.TakeReceived().empty());
  EXPECT_TRUE(ports_.TakeFrames().empty());
  EXPECT_TRUE(port_.TakeWrites().empty());
  EXPECT_EQ(State().ResendCommands, 1);
}

TEST_F(OutputStageTest, AllOffSequenceSwitchesEverythingOffOnceAndLast) {
  engine_.SetChannel(1, 1);
  engine_.SetChannel(4, 1);
  State().ResendCommands = 1;
  stage_.Send(controls_, State());
  hid_.TakeReceived();
  ports_.TakeFrames();
  port_.TakeWrites();

  State().ResendCommands = 1;
  stage_.AllOffSequence(State());
  EXPECT_EQ(hid_.TakeReceived(), kAllOff);  // no command bytes on exit
  EXPECT_EQ(port_.TakeWrites(), (std::vector<std::pair<int, int>>{{888, 0}, {890, 11}}));
  EXPECT_EQ(port_.Releases(), 1);
  EXPECT_TRUE(ports_.TakeFrames().empty());  // and no serial frame
  EXPECT_EQ(State().OutputsSuspended, 1);

  stage_.Send(controls_, State());
  stage_.AllOffSequence(State());
  EXPECT_TRUE(hid_.TakeReceived().empty());
  EXPECT_TRUE(port_.TakeWrites().empty());
  EXPECT_EQ(port_.Releases(), 1);
}

TEST_F(OutputStageTest, InversionDoesNotChangeTheAllOffBytes) {
  controls_.SetState(ctl::kInvertButton, 1);
  engine_.SetChannel(0, 0);
  stage_.AllOffSequence(State());
  EXPECT_EQ(hid_.TakeReceived(), kAllOff);
}

// With OUT_DELAY every device gets the channel states (and parallel-port
// values) of that many cycles ago; the command bytes are not delayed.
TEST_F(OutputStageTest, OutputDelayLagsEveryDeviceButNotTheEngine) {
  stage_.SetOutputDelay(2);
  engine_.SetChannel(1, 1);  // OUT1: PdByte bit 0; serial byte 1
  State().LptData = 7;
  State().LptControl = 4;
  State().ResendCommands = 1;
  stage_.Send(controls_, State());
  EXPECT_EQ(hid_.TakeReceived(), (std::vector<uint8_t>{0x00, 0x40, 0x80, 0xCB, 0xD8, 0xE2}));
  EXPECT_EQ(port_.TakeWrites(), (std::vector<std::pair<int, int>>{{888, 0}, {890, 11}}));
  auto frames = ports_.TakeFrames();
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].second[1], 0x00);

  engine_.SetChannel(1, 0);
  State().LptData = 0;
  State().LptControl = 11;
  stage_.Send(controls_, State());
  EXPECT_EQ(hid_.TakeReceived(), kAllOff);
  port_.TakeWrites();
  ports_.TakeFrames();

  stage_.Send(controls_, State());  // now the first cycle's frame arrives
  EXPECT_EQ(hid_.TakeReceived(), (std::vector<uint8_t>{0x00, 0x40, 0x81}));
  EXPECT_EQ(port_.TakeWrites(), (std::vector<std::pair<int, int>>{{888, 7}, {890, 4}}));
  frames = ports_.TakeFrames();
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].second[1], 0xFE);
  EXPECT_EQ(State().ChannelStates[1], 0);  // the engine's own state is untouched
}

TEST_F(OutputStageTest, DmxFollowsTheDelayedStatesTheBrightnessAndANewTarget) {
  FakeDmxSender sender;
  DmxLink dmx(sender, DmxSettings{3, 1, true}, [](const std::string&) {});
  stage_.SetDmx(&dmx);
  stage_.SetOutputDelay(1);
  controls_.SetState(ctl::kBrightBar, 5);
  engine_.SetChannel(2, 1);
  stage_.Send(controls_, State());
  stage_.Send(controls_, State());
  ASSERT_EQ(sender.sent.size(), 2u);
  EXPECT_EQ(sender.sent[0][1], 0);  // one cycle late, as every device
  EXPECT_EQ(sender.sent[1][1], 5 * 17);

  stage_.RetargetDmx(DmxSettings{3, 11, false});
  stage_.Send(controls_, State());
  EXPECT_EQ(sender.sent.back()[11], 255);
  stage_.AllOffSequence(State());
  EXPECT_EQ(sender.sent.back(), FakeDmxSender::Slots{});
}

TEST(OutputStageWithoutDevices, ClearsTheResendFlagAndSendsNothing) {
  Controls controls;
  SharedState state;
  OutputStage stage(nullptr, nullptr, nullptr);
  state.ResendCommands = 1;
  stage.Send(controls, state);
  EXPECT_EQ(state.ResendCommands, 0);
  stage.AllOffSequence(state);
  EXPECT_EQ(state.OutputsSuspended, 1);
}

// A worker thread sends `stages` stages; once the first is out, `act` runs on
// this thread (the user-interface side) while the rest go on.
template <typename Act>
void WhileTheWorkerSends(OutputStage& stage, Controls& controls, SharedState& state, int stages,
                         Act act) {
  std::atomic<bool> started{false};
  std::thread worker([&] {
    for (int i = 0; i < stages; ++i) {
      stage.Send(controls, state);
      started.store(true);
    }
  });
  while (!started.load()) std::this_thread::yield();
  act();
  worker.join();
}

// The window retargets the DMX output while the worker sends: every frame
// goes whole to one universe, and the universe left behind ends dark.
TEST(OutputStageConcurrency, DmxRetargetsBetweenTwoStages) {
  Controls controls;
  Engine engine(controls);
  FakeDmxSender sender;
  DmxLink dmx(sender, DmxSettings{1, 1}, [](const std::string&) {});
  OutputStage stage(nullptr, nullptr, nullptr);
  stage.SetDmx(&dmx);
  for (int c = 1; c <= 18; ++c) engine.SetChannel(c, 1);

  WhileTheWorkerSends(stage, controls, engine.State(), 300, [&] {
    for (int start = 2; start <= 40; ++start) stage.RetargetDmx(DmxSettings{1, start});
    stage.RetargetDmx(DmxSettings{2, 40});
  });
  stage.Send(controls, engine.State());

  EXPECT_EQ(sender.last_universe, 2u);
  for (const FakeDmxSender::Slots& slots : sender.sent) {
    const auto lit = std::count(slots.begin(), slots.end(), 255);
    EXPECT_TRUE(lit == 18 || lit == 0) << lit;
  }
  EXPECT_EQ(sender.sent.back()[39], 255);
}

// The exit path runs while the worker may be inside a stage: whatever the
// timing, the controller's last three bytes are the all-off ones.
TEST(OutputStageConcurrency, AllOffBytesAreAlwaysTheLastOnes) {
  for (int round = 0; round < 50; ++round) {
    FakeHid hid;
    FakePort port;
    Controls controls;
    Engine engine(controls);
    UsbLink usb(hid, controls, engine.State(), kVendor, kProduct);
    ParallelPort lpt(port);
    OutputStage stage(&usb, nullptr, &lpt);
    hid.Attach(kVendor, kProduct);
    usb.PollUsbDevice();
    port.LoadPortLibrary();
    for (int pin = 1; pin <= 18; ++pin) controls.SetState(ctl::PinBox(pin), pin);
    for (int c = 1; c <= 18; ++c) engine.SetChannel(c, 1);
    controls.SetState(ctl::kLptButton, 1);

    WhileTheWorkerSends(stage, controls, engine.State(), 200, [&] {
      engine.State().OutputsSuspended = 1;
      stage.AllOffSequence(engine.State());
    });

    const std::vector<uint8_t> bytes = hid.TakeReceived();
    ASSERT_GE(bytes.size(), 3u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.end() - 3, bytes.end()), kAllOff);
    const auto writes = port.TakeWrites();
    ASSERT_GE(writes.size(), 2u);
    EXPECT_EQ(writes[writes.size() - 2], (std::pair<int, int>{888, 0}));
    EXPECT_EQ(writes.back(), (std::pair<int, int>{890, 11}));
  }
}

}  // namespace
}  // namespace lumiglow
