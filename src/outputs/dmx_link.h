// DMX output through a lighting daemon: channels 1..18 go to 18 consecutive
// slots of one universe, 255 when lit (or the brightness scaled to 0..255,
// when asked for) and 0 when dark. When the daemon is not
// there the link tries again at most once a second and says so in one line
// each time the state changes; the rest of the program never waits for it.
//
// Threads: WriteSlots on the worker, Blackout from the output stage's all-off
// sequence, Retarget from the window; the output stage's lock keeps them apart.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace lumiglow {

inline constexpr int kDmxUniverseSize = 512;
inline constexpr int kDmxMaxStart = kDmxUniverseSize - 18 + 1;  // 495: all 18 slots fit

inline constexpr uint32_t kDmxMaxUniverse = 2147483647;  // what a window spin box holds

// DMX_UNIVERSE (empty or missing: no DMX output; a number 0..2147483647
// otherwise), DMX_START (1..495, held there; default 1) and DMX_LEVEL (1: a lit
// slot carries the brightness; anything else: 255).
struct DmxSettings {
  std::optional<uint32_t> universe;
  int start = 1;
  bool brightness_level = false;
  bool operator==(const DmxSettings&) const = default;
};
DmxSettings ParseDmxSettings(const std::string& universe_text, const std::string& start_text,
                             const std::string& level_text = {});
// The texts the three keys are written with.
std::string DmxUniverseText(const DmxSettings& settings);

// What a lit slot carries: 255, or the brightness 0..15 (held there) scaled
// to 0..255 so that 15 gives 255.
uint8_t DmxLitLevel(bool brightness_level, int brightness);

// The 512 slots of a universe: the 18 channels from `start` on at `lit` when
// lit, the rest 0.
std::array<uint8_t, kDmxUniverseSize> DmxSlots(const std::array<int32_t, 19>& channel_states,
                                               int start, uint8_t lit = 255);

// The daemon's client side.
class DmxSender {
 public:
  virtual ~DmxSender() = default;
  virtual bool Connect() = 0;
  // False when the connection broke; the link then connects again later.
  virtual bool Send(uint32_t universe, const std::array<uint8_t, kDmxUniverseSize>& slots) = 0;
  virtual void Disconnect() = 0;
};

class DmxLink {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;
  using Say = std::function<void(const std::string& line)>;

  // Without a universe the link sends nothing and never connects.
  DmxLink(DmxSender& sender, const DmxSettings& settings, Say say,
          Clock clock = std::chrono::steady_clock::now);

  // `brightness`: the position of BrightBar, used when the level asks for it.
  void WriteSlots(const std::array<int32_t, 19>& channel_states, int brightness = 15);
  // Every slot of the universe at 0 (when connected or connectable), once.
  void Blackout();
  // New settings from the window. A universe left behind is blacked out so
  // its fixtures do not stay lit; without a universe the connection closes.
  void Retarget(const DmxSettings& settings);

  bool Connected() const { return connected_; }

 private:
  bool EnsureConnected();
  void Send(const std::array<uint8_t, kDmxUniverseSize>& slots);

  DmxSender& sender_;
  DmxSettings settings_;
  Say say_;
  Clock clock_;
  bool connected_ = false;
  bool tried_ = false;
  std::optional<bool> said_connected_;  // the state the last line told
  std::chrono::steady_clock::time_point last_try_{};
  bool blacked_out_ = false;
};

}  // namespace lumiglow
