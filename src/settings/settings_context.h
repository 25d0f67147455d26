// Everything the settings, preset and language operations read and write,
// gathered once by the program and passed by reference.
#pragma once

#include "engine/engine.h"
#include "settings/current_files.h"
#include "settings/effect_file_hooks.h"
#include "settings/ui_texts.h"

namespace lumiglow {

// The tray menu's texts as the last applied language gave them: items 1 and 2,
// the help submenu's title and its items 3, 4 and 5, item 6 and item 10 (exit).
struct TrayMenuTexts {
  std::string restore, minimise, help_menu, help, lpt_scheme, history, about, exit;
};

// The window's outer top-left corner on the screen.
struct WindowPosition {
  int x = 0, y = 0;
  bool minimised = false;  // a minimised window's position is never stored
};

struct SettingsContext {
  Engine& engine;  // its controls, shared state, colours, SetChannel ...
  CurrentFiles& files;
  UiTexts& texts;
  TrayMenuTexts& tray_menu;
  ThresholdFile& thresholds;
  EffectFileHooks* effects = nullptr;

  Controls& controls() const { return engine.Ui(); }
  SharedState& state() const { return engine.State(); }
};

}  // namespace lumiglow
