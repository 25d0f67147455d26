#include "outputs/dmx_link.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace lumiglow {
namespace {

constexpr std::chrono::seconds kReconnectInterval{1};

// A whole decimal number, or nothing.
std::optional<int64_t> WholeNumber(const std::string& text) {
  int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::string OnUniverseLine(const DmxSettings& settings) {
  return "DMX output on universe " + DmxUniverseText(settings);
}

}  // namespace

std::string DmxUniverseText(const DmxSettings& settings) {
  return settings.universe ? std::to_string(*settings.universe) : std::string();
}

DmxSettings ParseDmxSettings(const std::string& universe_text, const std::string& start_text,
                             const std::string& level_text) {
  DmxSettings settings;
  const auto universe = WholeNumber(universe_text);
  if (universe && *universe >= 0 && *universe <= kDmxMaxUniverse)
    settings.universe = static_cast<uint32_t>(*universe);
  const auto start = WholeNumber(start_text);
  if (start) settings.start = static_cast<int>(std::clamp<int64_t>(*start, 1, kDmxMaxStart));
  settings.brightness_level = WholeNumber(level_text) == 1;
  return settings;
}

uint8_t DmxLitLevel(bool brightness_level, int brightness) {
  if (!brightness_level) return 255;
  return static_cast<uint8_t>(std::clamp(brightness, 0, 15) * 17);
}

std::array<uint8_t, kDmxUniverseSize> DmxSlots(const std::array<int32_t, 19>& channel_states,
                                               int start, uint8_t lit) {
  std::array<uint8_t, kDmxUniverseSize> slots{};
  const int first = std::clamp(start, 1, kDmxMaxStart) - 1;
  for (int c = 1; c <= 18; ++c) slots[first + c - 1] = channel_states[c] != 0 ? lit : 0;
  return slots;
}

DmxLink::DmxLink(DmxSender& sender, const DmxSettings& settings, Say say, Clock clock)
    : sender_(sender), settings_(settings), say_(std::move(say)), clock_(std::move(clock)) {}

bool DmxLink::EnsureConnected() {
  if (connected_) return true;
  const auto now = clock_();
  if (tried_ && now - last_try_ < kReconnectInterval) return false;
  tried_ = true;
  last_try_ = now;
  connected_ = sender_.Connect();
  if (said_connected_ != connected_) {
    said_connected_ = connected_;
    say_(connected_ ? OnUniverseLine(settings_)
                    : "DMX output: the lighting daemon does not answer; trying again");
  }
  return connected_;
}

void DmxLink::Send(const std::array<uint8_t, kDmxUniverseSize>& slots) {
  if (!settings_.universe || !EnsureConnected()) return;
  if (sender_.Send(*settings_.universe, slots)) return;
  sender_.Disconnect();
  connected_ = false;
  last_try_ = clock_();
  said_connected_ = false;
  say_("DMX output: the lighting daemon went away; trying again");
}

void DmxLink::WriteSlots(const std::array<int32_t, 19>& channel_states, int brightness) {
  if (blacked_out_) return;
  Send(DmxSlots(channel_states, settings_.start,
                DmxLitLevel(settings_.brightness_level, brightness)));
}

void DmxLink::Blackout() {
  if (blacked_out_) return;
  // The last word on exit: try now, whenever the last attempt was.
  tried_ = false;
  Send({});
  // The connection stays open: closing it at once can drop the frame just
  // sent, and the program's end closes it anyway.
  blacked_out_ = true;
}

void DmxLink::Retarget(const DmxSettings& settings) {
  if (settings == settings_) return;
  const bool same_universe = settings.universe == settings_.universe;
  // The universe left behind goes dark; a failure here shows at the next send.
  if (!same_universe && connected_ && !blacked_out_) sender_.Send(*settings_.universe, {});
  settings_ = settings;
  if (same_universe) return;
  if (!settings_.universe) {
    if (connected_) sender_.Disconnect();
    connected_ = false;
    said_connected_.reset();
    say_("DMX output off");
  } else if (connected_) {
    say_(OnUniverseLine(settings_));
  }
  tried_ = false;  // a new universe is tried at the next cycle
}

}  // namespace lumiglow
