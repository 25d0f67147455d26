// Presets: named sets of playing settings (level, automatic gain, brightness,
// step, light mode, effect, effect file, effect speed), each in its own file
// "<name>.patt" opened by bare name in the current directory, listed from the
// program's folder.
#pragma once

#include <string>

#include "settings/settings_context.h"

namespace lumiglow {

// Fills PresetBox with the presets of `folder` (sorted by name) and selects
// the one named `preset_name`, when there is one.
void ListPresets(const std::string& folder, const std::string& preset_name, Controls& controls);

// Loads the preset whose name PresetBox shows. A file that does not open
// changes nothing. Sets the bars, LightMode (and ModeBox), EffectIndex and
// EffectFileName; neither refills EffectBox nor moves its selection.
void LoadPreset(SettingsContext& context);

// Writes the current settings into PresetName's file, creating it if needed.
void SavePreset(SettingsContext& context);

// The preset change after PresetBox moved (a box event, or the hotkey that has
// stepped the box): nothing when the box shows the current preset; otherwise
// save the preset being left, load the new one, set the thresholds for its
// mode, switch every channel off and clear the band graphs.
// User-interface thread only, so two changes never interleave.
void ChangePreset(SettingsContext& context);

}  // namespace lumiglow
