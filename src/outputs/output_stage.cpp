#include "outputs/output_stage.h"

#include "controls/controls.h"
#include "engine/engine.h"
#include "engine/shared_state.h"
#include "outputs/dmx_link.h"
#include "outputs/output_frame.h"
#include "outputs/parallel_port.h"
#include "outputs/serial_link.h"
#include "outputs/usb_link.h"

namespace lumiglow {

void OutputStage::Run(Engine& engine, bool /*silent*/) {
  Send(engine.Ui(), engine.State());
}

void OutputStage::SetOutputDelay(int cycles) {
  std::lock_guard lock(send_mutex_);
  delay_.SetDelay(cycles);
}

void OutputStage::SetDmx(DmxLink* dmx) {
  std::lock_guard lock(send_mutex_);
  dmx_ = dmx;
}

void OutputStage::RetargetDmx(const DmxSettings& settings) {
  std::lock_guard lock(send_mutex_);
  if (dmx_) dmx_->Retarget(settings);
}

void OutputStage::Send(Controls& controls, SharedState& state) {
  ChannelFrame now;
  for (int c = 0; c <= 18; ++c) now.ChannelStates[c] = state.ChannelStates[c];
  now.LptData = state.LptData;
  now.LptControl = state.LptControl;

  std::lock_guard lock(send_mutex_);
  // The ring moves every cycle, also while the outputs are suspended.
  const ChannelFrame frame = delay_.Push(now);
  if (state.OutputsSuspended == 1) return;

  const PinBytes pins = ComposePinBytes(PinMap(controls), frame.ChannelStates);

  if (usb_) {
    usb_->SendDeviceByte(pins.PcByte);
    usb_->SendDeviceByte(pins.PbByte);
    usb_->SendDeviceByte(pins.PdByte);
  }
  if (state.ResendCommands == 1) {
    // Cleared before the bars are read, so a bar moved after this point sets
    // it again for the next cycle. Cleared also when no controller is open.
    state.ResendCommands = 0;
    const auto commands =
        CommandBytes(controls.State(ctl::kBrightBar), controls.State(ctl::kStepBar));
    if (usb_) {
      for (uint8_t byte : commands) usb_->SendDeviceByte(byte);
    }
  }
  if (serial_) serial_->WriteFrame(frame.ChannelStates);
  if (lpt_) lpt_->WriteRegisters(controls, frame.LptData, frame.LptControl);
  if (dmx_) dmx_->WriteSlots(frame.ChannelStates, controls.State(ctl::kBrightBar));
}

void OutputStage::AllOffSequence(SharedState& state) {
  std::lock_guard lock(send_mutex_);
  state.OutputsSuspended = 1;
  if (all_off_sent_) return;
  all_off_sent_ = true;
  if (usb_) {
    usb_->SendDeviceByte(kAllPinsOff.PcByte);
    usb_->SendDeviceByte(kAllPinsOff.PbByte);
    usb_->SendDeviceByte(kAllPinsOff.PdByte);
  }
  if (lpt_) lpt_->AllOff();
  if (dmx_) dmx_->Blackout();
}

}  // namespace lumiglow
