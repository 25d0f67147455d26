// The bytes the USB light controller understands: three pin bytes carrying the
// on/off state of its 18 pins, and three command bytes carrying the brightness
// and the step. Building them is pure logic; the links carry them.
#pragma once

#include <array>
#include <cstdint>

namespace lumiglow {

class Controls;
struct SharedState;

// Bits 7..6 name the pin group, bits 5..0 carry six pin states.
struct PinBytes {
  uint8_t PcByte = 0x00;
  uint8_t PbByte = 0x40;
  uint8_t PdByte = 0x80;
};

// All 18 pins off, whatever the inversion toggle says.
inline constexpr PinBytes kAllPinsOff{};

// Where pin k (1..18, the k-th pin box, key OUTk) lands: which byte and which bit.
enum class PinGroup : uint8_t { kPc, kPb, kPd };
struct PinBit {
  PinGroup group;
  int bit;
};
PinBit PinBitOf(int pin);

// Selection of a pin box: -1 (none) or anything outside 0..18 shows no channel;
// 0 shows element 0 of ChannelStates, n shows channel n.
PinBytes ComposePinBytes(const std::array<int, 18>& pin_map,
                         const std::array<int32_t, 19>& channel_states);
// The selections of the 18 PinBox controls.
std::array<int, 18> PinMap(const Controls& controls);
// The same, read from the 18 PinBox controls and ChannelStates as they stand.
PinBytes ComposePinBytes(const Controls& controls, const SharedState& state);

// Brightness 0..15 and step 0..255 (the reach of BrightBar and StepBar); values
// beyond are held at the nearest end so no byte leaves its 16-value block.
std::array<uint8_t, 3> CommandBytes(int brightness, int step);

}  // namespace lumiglow
