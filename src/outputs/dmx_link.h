// DMX output through a lighting daemon: channels 1..18 go to 18 consecutive
// slots of one universe, 255 when lit and 0 when dark. When the daemon is not
// there the link tries again at most once a second and says so in one line
// each time the state changes; the rest of the program never waits for it.
//
// Threads: WriteSlots on the worker, Blackout from the output stage's all-off
// sequence; the output stage's lock keeps them apart.
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

// DMX_UNIVERSE (empty or missing: no DMX output; a number otherwise) and
// DMX_START (1..495, held there; default 1).
struct DmxSettings {
  std::optional<uint32_t> universe;
  int start = 1;
};
DmxSettings ParseDmxSettings(const std::string& universe_text, const std::string& start_text);

// The 512 slots of a universe: the 18 channels from `start` on, the rest 0.
std::array<uint8_t, kDmxUniverseSize> DmxSlots(const std::array<int32_t, 19>& channel_states,
                                               int start);

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

  DmxLink(DmxSender& sender, uint32_t universe, int start, Say say,
          Clock clock = std::chrono::steady_clock::now);

  void WriteSlots(const std::array<int32_t, 19>& channel_states);
  // Every slot of the universe at 0 (when connected or connectable), once.
  void Blackout();

  bool Connected() const { return connected_; }

 private:
  bool EnsureConnected();
  void Send(const std::array<uint8_t, kDmxUniverseSize>& slots);

  DmxSender& sender_;
  uint32_t universe_;
  int start_;
  Say say_;
  Clock clock_;
  bool connected_ = false;
  bool tried_ = false;
  std::optional<bool> said_connected_;  // the state the last line told
  std::chrono::steady_clock::time_point last_try_{};
  bool blacked_out_ = false;
};

}  // namespace lumiglow
