#include "outputs/output_frame.h"

#include <algorithm>

#include "controls/controls.h"
#include "engine/shared_state.h"

namespace lumiglow {
namespace {

// The controller's wiring: the bit order inside PcByte and PbByte is not the
// order of the pin numbers.
constexpr std::array<PinBit, 18> kPinBits = {{
    {PinGroup::kPd, 0},  // OUT1  PD0
    {PinGroup::kPd, 1},  // OUT2  PD1
    {PinGroup::kPd, 2},  // OUT3  PD3
    {PinGroup::kPd, 3},  // OUT4  PD5
    {PinGroup::kPd, 4},  // OUT5  PD6
    {PinGroup::kPd, 5},  // OUT6  PD7
    {PinGroup::kPb, 5},  // OUT7  PB0
    {PinGroup::kPb, 3},  // OUT8  PB1
    {PinGroup::kPb, 1},  // OUT9  PB2
    {PinGroup::kPb, 0},  // OUT10 PB3
    {PinGroup::kPb, 4},  // OUT11 PB4
    {PinGroup::kPb, 2},  // OUT12 PB5
    {PinGroup::kPc, 5},  // OUT13 PC0
    {PinGroup::kPc, 4},  // OUT14 PC1
    {PinGroup::kPc, 3},  // OUT15 PC2
    {PinGroup::kPc, 2},  // OUT16 PC3
    {PinGroup::kPc, 0},  // OUT17 PC4
    {PinGroup::kPc, 1},  // OUT18 PC5
}};

}  // namespace

PinBit PinBitOf(int pin) {
  return kPinBits[std::clamp(pin, 1, 18) - 1];
}

PinBytes ComposePinBytes(const std::array<int, 18>& pin_map,
                         const std::array<int32_t, 19>& channel_states) {
  PinBytes bytes;
  for (int pin = 1; pin <= 18; ++pin) {
    const int selection = pin_map[pin - 1];
    if (selection < 0 || selection > 18) continue;
    if (channel_states[selection] == 0) continue;
    const PinBit where = kPinBits[pin - 1];
    const auto bit = static_cast<uint8_t>(1u << where.bit);
    switch (where.group) {
      case PinGroup::kPc:
        bytes.PcByte |= bit;
        break;
      case PinGroup::kPb:
        bytes.PbByte |= bit;
        break;
      case PinGroup::kPd:
        bytes.PdByte |= bit;
        break;
    }
  }
  return bytes;
}

std::array<int, 18> PinMap(const Controls& controls) {
  std::array<int, 18> pin_map{};
  for (int pin = 1; pin <= 18; ++pin) pin_map[pin - 1] = controls.State(ctl::PinBox(pin));
  return pin_map;
}

PinBytes ComposePinBytes(const Controls& controls, const SharedState& state) {
  std::array<int32_t, 19> channel_states{};
  for (int c = 0; c <= 18; ++c) channel_states[c] = state.ChannelStates[c];
  return ComposePinBytes(PinMap(controls), channel_states);
}

std::array<uint8_t, 3> CommandBytes(int brightness, int step) {
  brightness = std::clamp(brightness, 0, 15);
  step = std::clamp(step, 0, 255);
  return {static_cast<uint8_t>(0xC0 + brightness), static_cast<uint8_t>(0xD0 + (step & 15)),
          static_cast<uint8_t>(0xE0 + (step >> 4))};
}

}  // namespace lumiglow
