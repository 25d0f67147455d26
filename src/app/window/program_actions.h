// The window's steps that belong to the other subsystems, done by them: the
// settings, preset and language files, the effects, the device outputs, the
// keyboard lamps and the sound input. Created before the shell; everything it
// needs of the shell arrives with the first call's AppContext.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/headless/device_startup.h"
#include "app/headless/keyboard_startup.h"
#include "app/headless/open_input.h"
#include "app/window/app_actions.h"
#include "effects/effect_stage.h"
#include "effects/effects.h"
#include "settings/settings_context.h"
#include "settings/settings_file.h"

namespace lumiglow {

class ProgramActions : public AppActions {
 public:
  // `input` as --input gives it: default, monitor, pulse:NAME, a file or demo.
  explicit ProgramActions(std::string input);
  ~ProgramActions() override;

  EarlySettings ReadEarlySettings(AppContext& app) override;
  std::optional<std::string> LoadPortLibrary(AppContext& app) override;
  void ReadColours(AppContext& app) override;
  void ListPresets(AppContext& app) override;
  void ListLanguages(AppContext& app) override;
  void LoadPreset(AppContext& app, const std::string& name) override;
  void FillEffectBox(AppContext& app) override;
  void LoadEffect(AppContext& app, const std::string& name) override;
  void ReadControlSettings(AppContext& app) override;
  void RecordLockStates(AppContext& app) override;
  void StartRecording(AppContext& app) override;
  void PollUsbDevice(AppContext& app) override;
  TrayMenuTexts ApplyLanguage(AppContext& app, const std::string& file_name) override;

  void SaveOnLanguageChange(AppContext& app, WindowPosition position) override;
  void RestoreLockStates(AppContext& app) override;
  void RestoreLockStatesOnExit(AppContext& app) override;
  void SavePreset(AppContext& app, const std::string& name) override;
  void OpenChosenSerialPort(AppContext& app) override;
  void ApplyDmxChoice(AppContext& app) override;
  void SaveWindowPosition(AppContext& app, WindowPosition position) override;
  void SaveChannelColour(AppContext& app, int channel, int colour) override;

  void SaveOnExitKeys(AppContext& app) override;
  void CloseSerialPort(AppContext& app) override;
  void SaveOnCloseKeys(AppContext& app, WindowPosition position) override;
  void AllOffSequence(AppContext& app) override;
  void Release(AppContext& app) override;

 private:
  // What the operations share, made on first use from the shell's state.
  struct Session;
  Session& Bind(AppContext& app);

  std::string input_;
  std::unique_ptr<Session> session_;
  DeviceStartup devices_;
  bool dmx_brightness_level_ = false;  // DMX_LEVEL, which only the file sets
};

}  // namespace lumiglow
