#include "outputs/parallel_port.h"

#include <gtest/gtest.h>

#include "controls/controls.h"
#include "controls/cp1251.h"
#include "engine/engine.h"
#include "engine/lpt_weights.h"
#include "outputs/fake_devices.h"

namespace lumiglow {
namespace {

using testing::FakePort;
using testing::RecordingMessages;
using Writes = std::vector<std::pair<int, int>>;

class ParallelPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(port_.LoadPortLibrary());
    controls_.SetState(ctl::kLptButton, 1);
  }
  // One cycle's channel decisions after the cycle's reset of the accumulators.
  void SetChannels(const std::vector<int>& on) {
    engine_.State().LptData = kLptDataRest;
    engine_.State().LptControl = kLptControlRest;
    for (int c = 1; c <= 18; ++c)
      engine_.SetChannel(c, std::find(on.begin(), on.end(), c) != on.end() ? 1 : 0);
  }

  FakePort port_;
  Controls controls_;
  Engine engine_{controls_};
  ParallelPort lpt_{port_};
};

TEST_F(ParallelPortTest, RegistersForTheChannelsSetOn) {
  struct Case {
    const char* name;
    std::vector<int> on;
    bool invert;
    int data, control;
  };
  const Case cases[] = {
      {"nothing on", {}, false, 0, 11},
      {"channels 4 and 11", {4, 11}, false, 129, 11},
      {"channels 12 to 15", {12, 13, 14, 15}, false, 0, 4},
      {"channel 14 alone", {14}, false, 0, 15},
      {"channel 12 alone", {12}, false, 0, 10},
      {"channels without a line", {1, 2, 3, 16, 17, 18}, false, 0, 11},
      {"every data line", {4, 5, 6, 7, 8, 9, 10, 11}, false, 255, 11},
      {"inversion with every channel set off", {}, true, 255, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    controls_.SetState(ctl::kInvertButton, c.invert ? 1 : 0);
    SetChannels(c.on);
    lpt_.WriteRegisters(controls_, engine_.State());
    EXPECT_EQ(port_.TakeWrites(), (Writes{{888, c.data}, {890, c.control}}));
  }
}

TEST_F(ParallelPortTest, AllChannelsAtOnceAddNoWeight) {
  SetChannels({});
  engine_.SetChannel(0, 1);
  lpt_.WriteRegisters(controls_, engine_.State());
  EXPECT_EQ(port_.TakeWrites(), (Writes{{888, 0}, {890, 11}}));
}

TEST_F(ParallelPortTest, ButtonOffWritesTheRestValuesWhateverTheChannels) {
  controls_.SetState(ctl::kLptButton, 0);
  SetChannels({4, 5, 12, 14});
  lpt_.WriteRegisters(controls_, engine_.State());
  EXPECT_EQ(port_.TakeWrites(), (Writes{{888, 0}, {890, 11}}));
}

TEST_F(ParallelPortTest, StrayValuesAreMaskedToTheRegistersWidth) {
  lpt_.LptOut(888, 256 + 5);
  lpt_.LptOut(890, 11 - 1 - 1 - 2 - 2 - 8 - 8);  // control weights applied twice: -11
  EXPECT_EQ(port_.TakeWrites(), (Writes{{888, 5}, {890, -11 & 0x0F}}));
}

TEST_F(ParallelPortTest, AllOffLeavesDataZeroControlElevenAndReleasesTheLibrary) {
  SetChannels({4, 12});
  lpt_.WriteRegisters(controls_, engine_.State());
  port_.TakeWrites();
  lpt_.AllOff();
  EXPECT_EQ(port_.TakeWrites(), (Writes{{888, 0}, {890, 11}}));
  EXPECT_EQ(port_.Releases(), 1);
  lpt_.WriteRegisters(controls_, engine_.State());  // a worker stage after the exit
  lpt_.AllOff();
  EXPECT_TRUE(port_.TakeWrites().empty());
  EXPECT_EQ(port_.Releases(), 1);
}

TEST(RequirePortLibrary, PresentLibraryShowsNothing) {
  FakePort port(true);
  RecordingMessages messages;
  EXPECT_TRUE(RequirePortLibrary(port, messages));
  EXPECT_TRUE(messages.shown.empty());
}

TEST(RequirePortLibrary, MissingLibraryShowsTheBuiltInWarningNamingTheFile) {
  FakePort port(false);
  RecordingMessages messages;
  EXPECT_FALSE(RequirePortLibrary(port, messages));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::kWarning);
  EXPECT_EQ(messages.shown[0].title, Cp1251FromUtf8("Файл отсутствует!"));
  EXPECT_EQ(messages.shown[0].text,
            Cp1251FromUtf8("Для работы программы\r\nтребуется файл libieee1284.so.3"));
}

}  // namespace
}  // namespace lumiglow
