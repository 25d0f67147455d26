// The two ways out: the tray menu's exit item and the window's close request.
// Both save, give the keyboard its lock states back and suspend the outputs;
// the end of the same pass sends the all-off sequence and ends the loop.
#include "app/window/app_shell.h"

namespace lumiglow {

void AppShell::SaveThresholdsIfManual() {
  if (engine_.State().LightMode != kModeManual) return;
  if (ThresholdFile* thresholds = engine_.Hooks().thresholds) thresholds->SaveThresholds();
}

void AppShell::SaveOnExit() {
  // 1.
  SaveThresholdsIfManual();
  // 2. The window position (kept by every move) and the serial port are not written here.
  actions_.SaveOnExitKeys(context_);
  // 3.
  actions_.SavePreset(context_, files_.PresetName.Get());
  // 4.
  actions_.RestoreLockStatesOnExit(context_);
  // 5.
  engine_.State().OutputsSuspended = 1;
  exit_requested_ = true;
}

void AppShell::SaveOnClose() {
  // 1.
  engine_.State().OutputsSuspended = 1;
  // 2.
  actions_.CloseSerialPort(context_);
  // 3.
  SaveThresholdsIfManual();
  // 4.
  actions_.SaveOnCloseKeys(context_, window_ ? window_->Position() : WindowPosition{});
  // 5.
  actions_.SavePreset(context_, files_.PresetName.Get());
  // 6.
  actions_.RestoreLockStatesOnExit(context_);
  loop_ends_ = true;
}

void AppShell::EndOfPass() {
  if (engine_.State().OutputsSuspended == 1 && !all_off_sent_) {
    all_off_sent_ = true;
    actions_.AllOffSequence(context_);
  }
  if (exit_requested_ || loop_ends_) quit_();
}

}  // namespace lumiglow
