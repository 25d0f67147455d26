#include "platform/audio/capture_status.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumiglow {
namespace {

// A run of connection events and the line (or none) each one shows.
struct Event {
  enum { kUnreachable, kUnavailable, kCapturing } kind;
  std::string source;
  std::string line;  // empty: nothing shown
};

const std::string kNoServer =
    "no sound server is reachable; the lamps hear silence until one starts";
const std::string kServerGone =
    "the sound server went away; the lamps hear silence until it is back";

std::string Listening(const std::string& s) {
  return "listening to sound source '" + s + "'";
}
std::string Missing(const std::string& s) {
  return "sound source '" + s + "' is not there; the lamps hear silence until it appears";
}
std::string Gone(const std::string& s) {
  return "sound source '" + s + "' went away; the lamps hear silence until it is back";
}

struct Run {
  std::string name;
  std::vector<Event> events;
};

void PrintTo(const Run& run, std::ostream* os) {
  *os << run.name;
}

class CaptureStatusTest : public ::testing::TestWithParam<Run> {};

TEST_P(CaptureStatusTest, OneLinePerChangeOfState) {
  CaptureStatus status;
  int i = 0;
  for (const Event& e : GetParam().events) {
    const std::string line = e.kind == Event::kUnreachable   ? status.ServerUnreachable()
                             : e.kind == Event::kUnavailable ? status.SourceUnavailable(e.source)
                                                             : status.Capturing(e.source);
    EXPECT_EQ(line, e.line) << "event " << i;
    ++i;
  }
}

INSTANTIATE_TEST_SUITE_P(Runs, CaptureStatusTest,
                         ::testing::Values(
                             // No server at start, retries, then the server comes.
                             Run{"NoServerThenServer",
                                 {{Event::kUnreachable, "", kNoServer},
                                  {Event::kUnreachable, "", ""},
                                  {Event::kUnreachable, "", ""},
                                  {Event::kCapturing, "mic", Listening("mic")},
                                  {Event::kCapturing, "mic", ""}}},
                             // The server goes away while listening, and comes back.
                             Run{"ServerGoesAndComesBack",
                                 {{Event::kCapturing, "mic", Listening("mic")},
                                  {Event::kUnreachable, "", kServerGone},
                                  {Event::kUnreachable, "", ""},
                                  {Event::kCapturing, "mic", Listening("mic")}}},
                             // A named source that is not there, then appears, then goes.
                             Run{"SourceMissingThenThereThenGone",
                                 {{Event::kUnavailable, "usb", Missing("usb")},
                                  {Event::kUnavailable, "usb", ""},
                                  {Event::kCapturing, "usb", Listening("usb")},
                                  {Event::kUnavailable, "usb", Gone("usb")},
                                  {Event::kUnavailable, "usb", ""},
                                  {Event::kUnavailable, "default",
                                   ""},  // retries under another name
                                  {Event::kUnreachable, "", kServerGone},
                                  {Event::kCapturing, "usb", Listening("usb")}}},
                             // The default source moves to another device: the new one is named.
                             Run{"DefaultSourceMoves",
                                 {{Event::kCapturing, "a", Listening("a")},
                                  {Event::kCapturing, "b", Listening("b")},
                                  {Event::kUnavailable, "b", Gone("b")}}}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace lumiglow
