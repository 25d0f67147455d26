#include "settings/saving_sequences.h"

#include <optional>

#include "settings/pref_file.h"
#include "settings/presets.h"
#include "settings/settings_file.h"

namespace lumiglow {
namespace {

// The keys all three write, with the window position only where given.
void WriteCommonKeys(SettingsContext& context, std::optional<WindowPosition> position) {
  const Controls& controls = context.controls();
  OpenPrefFile(kSettingFile);
  SavePinMap(controls);
  WritePrefDecimal("KEY_LED", controls.State(ctl::kKeyboardButton));
  WritePrefDecimal("LPT_LED", controls.State(ctl::kLptButton));
  if (position) {
    WritePrefDecimal("X_form", position->x);
    WritePrefDecimal("Y_form", position->y);
  }
  WritePrefText("Preset", controls.Text(ctl::kPresetBox));
  WritePrefText("Language", controls.Text(ctl::kLanguageBox));
  WritePrefDecimal("Invert", controls.State(ctl::kInvertButton));
}

}  // namespace

void WriteExitKeys(SettingsContext& context) {
  WriteCommonKeys(context, std::nullopt);
  ClosePrefFile();
}

void WriteCloseKeys(SettingsContext& context, WindowPosition position, const std::string& rs232) {
  WriteCommonKeys(context, position);
  WritePrefText("RS232", rs232);
  ClosePrefFile();
}

void SaveOnExit(SettingsContext& context) {
  if (context.state().LightMode == kModeManual) context.thresholds.SaveThresholds();
  WriteExitKeys(context);
  SavePreset(context);
}

void SaveOnClose(SettingsContext& context, WindowPosition position, const std::string& rs232) {
  if (context.state().LightMode == kModeManual) context.thresholds.SaveThresholds();
  WriteCloseKeys(context, position, rs232);
  SavePreset(context);
}

void SaveOnLanguageChange(SettingsContext& context, WindowPosition position) {
  WriteCommonKeys(context, position);
  ClosePrefFile();
}

}  // namespace lumiglow
