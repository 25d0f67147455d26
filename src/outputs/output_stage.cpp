#include "outputs/output_stage.h"

#include "controls/controls.h"
#include "engine/engine.h"
#include "engine/shared_state.h"
#include "outputs/output_frame.h"
#include "outputs/parallel_port.h"
#include "outputs/serial_link.h"
#include "outputs/usb_link.h"

namespace lumiglow {

void OutputStage::Run(Engine& engine, bool /*silent*/) {
  Send(engine.Ui(), engine.State());
}

void OutputStage::Send(Controls& controls, SharedState& state) {
  // Built every cycle, also while the outputs are suspended.
  const PinBytes pins = ComposePinBytes(controls, state);

  std::lock_guard lock(send_mutex_);
  if (state.OutputsSuspended == 1) return;

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
  if (serial_) serial_->WriteFrame();
  if (lpt_) lpt_->WriteRegisters(controls, state);
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
}

}  // namespace lumiglow
