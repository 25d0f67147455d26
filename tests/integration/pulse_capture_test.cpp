// Capture from a real Pulse server: tones played into null sinks are heard on
// their monitors, in the right band; a source that goes away gives silence and
// is taken up again when it returns; the monitor follows the default output.
#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <numeric>
#include <thread>
#include <vector>

#include "engine/band_analysis.h"
#include "engine/band_table.h"
#include "platform/audio/pulse_source.h"
#include "pulse_helpers.h"

namespace lumiglow {
namespace {

using namespace std::chrono_literals;
using testing::Clock;

// Collects the capture's state lines as they come.
class StatusLines {
 public:
  PulseCapture::StatusSink Sink() {
    return [this](const std::string& line) {
      std::lock_guard lock(mutex_);
      lines_.push_back(line);
    };
  }
  std::vector<std::string> Lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> lines_;
};

// One cycle's fetches, as the worker makes them.
struct Fetched {
  int level = 0;
  std::vector<float> spectrum = std::vector<float>(2049, 0.0f);
  BandFrame bands;
};

Fetched FetchOnce(RecordingSource& source) {
  Fetched f;
  f.level = static_cast<int16_t>(source.FetchLevel() & 0xFFFFu);
  source.FetchSpectrum(f.spectrum.data());
  SumBands(f.spectrum.data(), f.bands);
  return f;
}

// Fetches every 50 ms until `ok` holds or `timeout` passes; returns the last fetch.
template <typename Predicate>
std::optional<Fetched> FetchUntil(RecordingSource& source, std::chrono::milliseconds timeout,
                                  Predicate ok) {
  const auto deadline = Clock::now() + timeout;
  while (Clock::now() < deadline) {
    Fetched f = FetchOnce(source);
    if (ok(f)) return f;
    std::this_thread::sleep_for(50ms);
  }
  return std::nullopt;
}

bool IsSilence(const Fetched& f) {
  return f.level == 0 && std::all_of(f.spectrum.begin(), f.spectrum.begin() + 2048,
                                     [](float v) { return v == 0.0f; });
}

bool Hears(const Fetched& f) {
  return f.level > 0;
}

CaptureTarget Named(const std::string& name) {
  return {CaptureTarget::Kind::kNamedSource, name};
}

class PulseCaptureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing::ServerAnswers()) GTEST_SKIP() << "no Pulse server (scripts/test.sh starts one)";
  }
};

struct ToneCase {
  double frequency;
  int band;
};

void PrintTo(const ToneCase& c, std::ostream* os) {
  *os << c.frequency << " Hz in band " << c.band;
}

class PulseToneTest : public PulseCaptureTest, public ::testing::WithParamInterface<ToneCase> {};

TEST_P(PulseToneTest, ToneIntoNullSinkIsHeardOnItsMonitorInItsBand) {
  const ToneCase c = GetParam();
  testing::NullSink sink(testing::UniqueName("lumiglow_tone"));
  ASSERT_TRUE(sink.Loaded());
  StatusLines status;
  PulseRecordingSource source(Named(sink.Monitor()), status.Sink());
  source.StartRecording();
  testing::TonePlayer player(sink.Name(), c.frequency, 0.5);
  ASSERT_TRUE(player.Playing());

  // Once the whole window holds the tone its band takes most of the spectrum.
  const auto heard = FetchUntil(source, 6000ms, [&](const Fetched& f) {
    if (!Hears(f)) return false;
    const auto& b = f.bands.bands;
    const float all = std::accumulate(b.begin(), b.begin() + kBandCount, 0.0f);
    return b[c.band] > 0.5f * all;
  });
  ASSERT_TRUE(heard) << "no tone of " << c.frequency << " Hz in band " << c.band;
  const auto& b = heard->bands.bands;
  EXPECT_EQ(std::max_element(b.begin(), b.begin() + kBandCount) - b.begin(), c.band);
  // A tone of amplitude 0.5 peaks near 16384 on the level word.
  EXPECT_GT(heard->level, 12000);
  EXPECT_LE(heard->level, 20000);
  EXPECT_EQ(source.DroppedSamples(), 0u);
  EXPECT_EQ(status.Lines(),
            std::vector<std::string>{"listening to sound source '" + sink.Monitor() + "'"});
}

INSTANTIATE_TEST_SUITE_P(Tones, PulseToneTest,
                         ::testing::Values(ToneCase{100.0, 4}, ToneCase{1000.0, 10},
                                           ToneCase{5000.0, 15}),
                         [](const auto& info) {
                           return std::to_string(static_cast<int>(info.param.frequency)) + "Hz";
                         });

// The capture thread starts and ends streams while the reader drains the queue.
using PulseCaptureConcurrencyTest = PulseCaptureTest;

TEST_F(PulseCaptureConcurrencyTest, SourceThatGoesAwayGivesSilenceAndIsTakenUpAgain) {
  testing::NullSink sink(testing::UniqueName("lumiglow_gone"));
  ASSERT_TRUE(sink.Loaded());
  StatusLines status;
  PulseRecordingSource source(Named(sink.Monitor()), status.Sink());
  source.StartRecording();
  {
    testing::TonePlayer player(sink.Name(), 1000.0, 0.5);
    ASSERT_TRUE(FetchUntil(source, 6000ms, Hears)) << "the tone never arrived";
  }
  sink.Unload();
  EXPECT_TRUE(FetchUntil(source, 1000ms, IsSilence)) << "no silence after the source went away";
  // It stays silent, without blocking the fetches, while the source is missing.
  // A fetch that waited on the capture thread's once-a-second retry would take
  // a good part of a second; the bound leaves room for a loaded machine and
  // the sanitizers.
  const auto quiet_from = Clock::now();
  while (Clock::now() - quiet_from < 1500ms) {
    const auto fetch_started = Clock::now();
    EXPECT_TRUE(IsSilence(FetchOnce(source)));
    EXPECT_LT(Clock::now() - fetch_started, 250ms);
    std::this_thread::sleep_for(50ms);
  }

  ASSERT_TRUE(sink.Load());
  const auto back_at = Clock::now();
  const auto listening =
      FetchUntil(source, 3000ms, [&](const Fetched&) { return source.Listening(); });
  ASSERT_TRUE(listening) << "the capture did not take the source up again";
  EXPECT_LE(Clock::now() - back_at, 2000ms);
  testing::TonePlayer player(sink.Name(), 1000.0, 0.5);
  EXPECT_TRUE(FetchUntil(source, 6000ms, Hears)) << "no sound after the source came back";

  const std::string name = "'" + sink.Monitor() + "'";
  EXPECT_EQ(status.Lines(),
            (std::vector<std::string>{
                "listening to sound source " + name,
                "sound source " + name + " went away; the lamps hear silence until it is back",
                "listening to sound source " + name}));
}

TEST(PulsePrivateServerTest, MonitorFollowsTheDefaultOutput) {
  if (!testing::RunCommand("command -v pulseaudio >/dev/null"))
    GTEST_SKIP() << "pulseaudio is not installed";
  testing::PrivatePulseServer server({"module-null-sink sink_name=quiet",
                                      "module-null-sink sink_name=loud",
                                      "module-sine sink=loud frequency=1000"});
  ASSERT_TRUE(server.Start());
  ASSERT_TRUE(server.Pactl("set-default-sink quiet"));
  testing::ScopedEnv server_address("PULSE_SERVER", server.Address());
  StatusLines status;
  PulseRecordingSource source({CaptureTarget::Kind::kDefaultMonitor, {}}, status.Sink());
  source.StartRecording();

  ASSERT_TRUE(FetchUntil(source, 3000ms, [&](const Fetched&) { return source.Listening(); }));
  // The quiet output plays nothing.
  std::this_thread::sleep_for(1500ms);
  EXPECT_TRUE(IsSilence(FetchOnce(source)));

  ASSERT_TRUE(server.Pactl("set-default-sink loud"));
  EXPECT_TRUE(FetchUntil(source, 5000ms, Hears)) << "the capture did not follow the default output";
  EXPECT_EQ(status.Lines(), (std::vector<std::string>{"listening to sound source 'quiet.monitor'",
                                                      "listening to sound source 'loud.monitor'"}));
}

}  // namespace
}  // namespace lumiglow
