#include "outputs/serial_link.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <vector>

#include "controls/controls.h"
#include "engine/shared_state.h"

namespace lumiglow {
namespace {

bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Compares two runs of digits by value, however long they are.
int CompareNumbers(std::string_view a, std::string_view b) {
  while (a.size() > 1 && a.front() == '0') a.remove_prefix(1);
  while (b.size() > 1 && b.front() == '0') b.remove_prefix(1);
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b);
}

}  // namespace

SerialFrameBytes SerialFrame(const std::array<int32_t, 19>& channel_states, int brightness,
                             int step) {
  SerialFrameBytes frame{};
  frame[0] = 0xFF;
  for (int c = 1; c <= 18; ++c) frame[c] = channel_states[c] != 0 ? 0xFE : 0x00;
  frame[19] = static_cast<uint8_t>(std::clamp(brightness, 0, 255));
  frame[20] = static_cast<uint8_t>(std::clamp(step, 0, 255));
  return frame;
}

SerialFrameBytes SerialFrame(const Controls& controls, const SharedState& state) {
  std::array<int32_t, 19> channel_states{};
  for (int c = 0; c <= 18; ++c) channel_states[c] = state.ChannelStates[c];
  return SerialFrame(channel_states, controls.State(ctl::kBrightBar),
                     controls.State(ctl::kStepBar));
}

bool PortNameLess(const std::string& a, const std::string& b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      std::size_t i_end = i, j_end = j;
      while (i_end < a.size() && IsDigit(a[i_end])) ++i_end;
      while (j_end < b.size() && IsDigit(b[j_end])) ++j_end;
      const int order = CompareNumbers(std::string_view(a).substr(i, i_end - i),
                                       std::string_view(b).substr(j, j_end - j));
      if (order != 0) return order < 0;
      i = i_end;
      j = j_end;
    } else {
      if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
      ++i;
      ++j;
    }
  }
  if ((i < a.size()) != (j < b.size())) return j < b.size();
  return a < b;  // equal by value ("ttyS01" and "ttyS1"): any fixed order
}

SerialLink::SerialLink(SerialPortAccess& ports, Controls& controls, SharedState& state, Clock clock)
    : ports_(ports), controls_(controls), state_(state), clock_(std::move(clock)) {}

SerialLink::~SerialLink() {
  std::lock_guard lock(port_mutex_);
  ports_.ClosePort(port_);
  port_ = 0;
}

void SerialLink::ScanSerialPorts(const std::string& rs232) {
  controls_.ClearItems(ctl::kComPortBox);
  controls_.AddItem(ctl::kComPortBox, std::string());
  controls_.SetState(ctl::kComPortBox, 0);

  std::vector<std::string> candidates = ports_.ListPorts();
  if (!rs232.empty() &&
      std::find(candidates.begin(), candidates.end(), rs232) == candidates.end() &&
      ports_.IsDevice(rs232)) {
    candidates.push_back(rs232);
  }
  std::sort(candidates.begin(), candidates.end(), PortNameLess);
  candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());

  int count = 0;
  for (const std::string& path : candidates) {
    if (path.empty()) continue;
    // Missing ports and ports another program holds do not open and are not listed.
    const SerialPortAccess::Port probe = ports_.OpenPort(path);
    if (probe == 0) continue;
    ++count;
    controls_.AddItem(ctl::kComPortBox, path);
    if (path == rs232) controls_.SetState(ctl::kComPortBox, count);
    ports_.ClosePort(probe);
  }
  OpenChosenSerialPort();
}

void SerialLink::OpenChosenSerialPort() {
  const std::string path = controls_.Text(ctl::kComPortBox);
  std::lock_guard lock(port_mutex_);
  if (serial_active_ == 1) {
    ports_.ClosePort(port_);
    port_ = 0;
    serial_active_ = 0;
  }
  lost_ = false;
  port_path_.clear();
  if (path.empty()) return;  // the empty item names no port
  port_ = ports_.OpenPort(path);
  if (port_ == 0) return;
  port_path_ = path;
  serial_active_ = 1;
}

void SerialLink::CloseOutputPort() {
  std::lock_guard lock(port_mutex_);
  ports_.ClosePort(port_);
  port_ = 0;
  lost_ = false;
}

void SerialLink::WriteFrame() {
  std::array<int32_t, 19> channel_states{};
  for (int c = 0; c <= 18; ++c) channel_states[c] = state_.ChannelStates[c];
  WriteFrame(channel_states);
}

void SerialLink::WriteFrame(const std::array<int32_t, 19>& channel_states) {
  if (serial_active_ != 1) return;
  const SerialFrameBytes frame =
      SerialFrame(channel_states, controls_.State(ctl::kBrightBar), controls_.State(ctl::kStepBar));
  std::lock_guard lock(port_mutex_);
  if (port_ == 0) {
    if (!lost_) return;
    const auto now = clock_();
    if (now - last_reopen_try_ < kReopenInterval) return;
    last_reopen_try_ = now;
    port_ = ports_.OpenPort(port_path_);
    if (port_ == 0) return;
    lost_ = false;
  }
  if (ports_.WritePort(port_, frame.data(), kSerialFrameSize) == SerialWriteResult::kFailed) {
    // Closing at once frees the device node, so an adapter plugged back in
    // gets the same name again.
    ports_.ClosePort(port_);
    port_ = 0;
    lost_ = true;
    last_reopen_try_ = clock_();
  }
}

}  // namespace lumiglow
