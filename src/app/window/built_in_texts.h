// The built-in texts of the controls, the tray menu and the variable texts,
// as applying a missing language file sets them. Until the language files are
// read by the program, the shell's default ApplyLanguage is this.
#pragma once

#include "app/window/app_actions.h"

namespace lumiglow {

TrayMenuTexts BuiltInTrayMenuTexts();
TrayMenuTexts ApplyBuiltInTexts(AppContext& app);

}  // namespace lumiglow
