#include "settings/presets.h"

#include "settings/file_names.h"
#include "settings/pref_file.h"
#include "settings/pref_number.h"

namespace lumiglow {
namespace {

constexpr std::string_view kExtension = ".patt";

std::string PresetFile(const std::string& name) {
  return FileSystemName(name + std::string(kExtension));
}

}  // namespace

void ListPresets(const std::string& folder, const std::string& preset_name, Controls& controls) {
  const std::string wanted = preset_name + std::string(kExtension);
  for (const std::string& file : ListFolder(folder, kExtension)) {
    controls.AddItem(ctl::kPresetBox, file.substr(0, file.size() - kExtension.size()));
    if (file == wanted) controls.SetState(ctl::kPresetBox, controls.ItemCount(ctl::kPresetBox) - 1);
  }
}

void LoadPreset(SettingsContext& context) {
  Controls& controls = context.controls();
  SharedState& state = context.state();
  if (!OpenPrefFile(PresetFile(controls.Text(ctl::kPresetBox)))) {
    ClosePrefFile();
    return;
  }
  controls.SetState(ctl::kLevelBar, Narrow32(ReadPrefNumber("Level")));
  controls.SetState(ctl::kAgcBar, Narrow32(ReadPrefNumber("ARU")));
  controls.SetState(ctl::kBrightBar, Narrow32(ReadPrefNumber("Bright")));
  controls.SetState(ctl::kStepBar, Narrow32(ReadPrefNumber("Step")));
  state.LightMode = static_cast<int8_t>(ReadPrefNumber("EFFECT CMU"));
  state.EffectIndex = static_cast<int8_t>(ReadPrefNumber("EFFECT SDU"));
  context.files.EffectFileName.Set(ReadPrefText("EFFECT FILE", "effect.sdu"));
  controls.SetState(ctl::kSpeedBar, ReadPrefDecimal("EFFECT DELAY", 2));
  controls.SetState(ctl::kModeBox, state.LightMode);
  ClosePrefFile();
}

void SavePreset(SettingsContext& context) {
  const Controls& controls = context.controls();
  const SharedState& state = context.state();
  OpenPrefFile(PresetFile(context.files.PresetName.Get()));
  WritePrefDecimal("Bright", controls.State(ctl::kBrightBar));
  WritePrefDecimal("Step", controls.State(ctl::kStepBar));
  WritePrefDecimal("Level", state.MasterLevel);
  WritePrefDecimal("ARU", state.AgcPeriod);
  WritePrefDecimal("EFFECT CMU", state.LightMode);
  WritePrefDecimal("EFFECT SDU", state.EffectIndex);
  WritePrefText("EFFECT FILE", context.files.EffectFileName.Get());
  WritePrefDecimal("EFFECT DELAY", controls.State(ctl::kSpeedBar));
  ClosePrefFile();
}

void ChangePreset(SettingsContext& context) {
  Controls& controls = context.controls();
  const std::string chosen = controls.Text(ctl::kPresetBox);
  if (chosen == context.files.PresetName.Get()) return;
  SavePreset(context);
  context.files.PresetName.Set(chosen);
  LoadPreset(context);
  if (context.state().LightMode != kModeManual) {
    context.engine.ZeroThresholds();
  } else {
    context.thresholds.LoadThresholds();
  }
  context.engine.SetChannel(0, 0);
  context.engine.ResetBands();
}

}  // namespace lumiglow
