#include "outputs/parallel_port.h"

#include <string>

#include "controls/controls.h"
#include "controls/user_messages.h"
#include "engine/lpt_weights.h"
#include "engine/shared_state.h"
#include "settings/ui_texts.h"

namespace lumiglow {

void ParallelPort::LptOut(int address, int value) {
  if (address == kLptDataRegister) value &= 0xFF;
  if (address == kLptControlRegister) value &= 0x0F;
  std::lock_guard lock(mutex_);
  if (released_) return;
  access_.Out32(address, value);
}

void ParallelPort::WriteRegisters(const Controls& controls, const SharedState& state) {
  WriteRegisters(controls, state.LptData, state.LptControl);
}

void ParallelPort::WriteRegisters(const Controls& controls, int32_t data, int32_t control) {
  if (controls.State(ctl::kLptButton) == 1) {
    LptOut(kLptDataRegister, data);
    LptOut(kLptControlRegister, control);
  } else {
    LptOut(kLptDataRegister, kLptDataRest);
    LptOut(kLptControlRegister, kLptControlRest);
  }
}

void ParallelPort::AllOff() {
  LptOut(kLptDataRegister, kLptDataRest);
  LptOut(kLptControlRegister, kLptControlRest);
  std::lock_guard lock(mutex_);
  if (released_) return;
  released_ = true;
  access_.ReleasePortLibrary();
}

std::string MissingPortLibraryText(const std::string& library_file) {
  // The language is not applied this early, so the built-in texts always show.
  return UiTexts::BuiltIn(UiText::kMissingFileLine1) + "\r\n" +
         UiTexts::BuiltIn(UiText::kMissingFileLine2) + " " + library_file;
}

bool RequirePortLibrary(PortAccess& access, UserMessages& messages) {
  if (access.LoadPortLibrary()) return true;
  messages.ShowMessage(MessageIcon::kWarning, UiTexts::BuiltIn(UiText::kMissingFileTitle),
                       MissingPortLibraryText(access.PortLibraryFile()));
  return false;
}

}  // namespace lumiglow
