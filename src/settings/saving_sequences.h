// The three saves that write many keys of setting.dat in one opening. Each
// writes its keys in a fixed order; a missing setting.dat is created holding
// them in that order.
#pragma once

#include <string>

#include "settings/settings_context.h"

namespace lumiglow {

// The exit item of the tray menu: the thresholds (manual mode), then OUT1..18,
// KEY_LED, LPT_LED, Preset, Language, Invert, then the current preset. Neither
// the window position nor RS232 is written.
void SaveOnExit(SettingsContext& context);

// The window's close request, after the outputs were suspended and the serial
// port closed: the thresholds (manual mode), then OUT1..18, KEY_LED, LPT_LED,
// X_form, Y_form, Preset, Language, Invert, RS232, then the current preset.
// `rs232` is the text of ComPortBox.
void SaveOnClose(SettingsContext& context, WindowPosition position, const std::string& rs232);

// The setting.dat steps of the two alone, for a caller that runs the steps
// around them itself.
void WriteExitKeys(SettingsContext& context);
void WriteCloseKeys(SettingsContext& context, WindowPosition position, const std::string& rs232);

// A new language chosen (LanguageName already set): OUT1..18, KEY_LED, LPT_LED,
// X_form, Y_form, Preset, Language, Invert.
void SaveOnLanguageChange(SettingsContext& context, WindowPosition position);

}  // namespace lumiglow
