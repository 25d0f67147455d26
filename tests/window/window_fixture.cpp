#include "window_fixture.h"

#include "controls/controls.h"

namespace lumiglow::testing {

void RecordingActions::ListPresets(AppContext& app) {
  calls.push_back("ListPresets");
  for (const auto& name : presets) app.controls.AddItem(ctl::kPresetBox, name);
}

void RecordingActions::ListLanguages(AppContext& app) {
  calls.push_back("ListLanguages");
  for (const auto& name : languages) app.controls.AddItem(ctl::kLanguageBox, name);
}

void RecordingActions::FillEffectBox(AppContext& app) {
  calls.push_back("FillEffectBox");
  app.controls.ClearItems(ctl::kEffectBox);
  for (const auto& name : effects) app.controls.AddItem(ctl::kEffectBox, name);
}

}  // namespace lumiglow::testing
