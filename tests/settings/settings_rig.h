// The shared state the settings operations work on, as the program builds it.
#pragma once

#include "controls/controls.h"
#include "engine/engine.h"
#include "settings/current_files.h"
#include "settings/settings_context.h"
#include "settings/settings_file.h"
#include "settings/ui_texts.h"

namespace lumiglow::testing {

struct SettingsRig {
  Controls controls;
  Engine engine{controls};
  CurrentFiles files;
  UiTexts texts;
  TrayMenuTexts tray_menu;
  SettingsThresholdFile thresholds{controls, engine.State()};
  SettingsContext context{engine, files, texts, tray_menu, thresholds, nullptr};

  SharedState& state() { return engine.State(); }
  // The copies of the level and gain bars that every worker cycle takes.
  void TakeWorkerCopies() {
    state().MasterLevel = controls.State(ctl::kLevelBar);
    state().AgcPeriod = controls.State(ctl::kAgcBar);
  }
};

}  // namespace lumiglow::testing
