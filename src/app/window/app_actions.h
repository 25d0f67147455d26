// The steps of start-up, the event handlers and the exit paths that belong to
// the other subsystems (settings and presets, languages, effects, devices,
// sound input). The shell calls them in its fixed order; each default does
// nothing (or the least that keeps the window usable), and the program's
// wiring overrides them with the real operations.
//
// Every call is made on the user-interface thread.
#pragma once

#include <optional>
#include <string>

#include "settings/settings_context.h"
#include "settings/settings_file.h"

namespace lumiglow {

class Controls;
class Engine;
class UiTexts;
struct CurrentFiles;

// The shared state the operations work on.
struct AppContext {
  Controls& controls;
  Engine& engine;
  CurrentFiles& files;
  UiTexts& ui_texts;
};

class AppActions {
 public:
  virtual ~AppActions() = default;

  // Start-up, in the order the shell calls them.
  virtual void InitialisePlatform() {}  // step 1, before the single-instance check
  virtual EarlySettings ReadEarlySettings(AppContext&) {
    return {};
  }  // also sets PresetName, LanguageName
  // The parallel-port access: nullopt when loaded, otherwise the library's
  // name for the missing-library message.
  virtual std::optional<std::string> LoadPortLibrary(AppContext&) { return std::nullopt; }
  virtual void ReadColours(AppContext&) {}
  virtual void ListPresets(AppContext&) {}
  virtual void ListLanguages(AppContext&) {}
  virtual void LoadPreset(AppContext&, const std::string& /*name*/) {}
  virtual void FillEffectBox(AppContext&) {}
  virtual void LoadEffect(AppContext&, const std::string& /*name*/) {}
  // Thresholds, toggles, pin map, then the port scan and OpenChosenSerialPort.
  virtual void ReadControlSettings(AppContext&) {}
  virtual void RecordLockStates(AppContext&) {}
  virtual void StartRecording(AppContext&) {}
  virtual void PollUsbDevice(AppContext&) {}
  // Applies the language file and returns the texts of the tray menu, which
  // the shell then builds anew. The default sets the built-in texts.
  virtual TrayMenuTexts ApplyLanguage(AppContext& app, const std::string& file_name);

  // Event handlers.
  virtual void SaveOnLanguageChange(AppContext&, WindowPosition) {}
  virtual void RestoreLockStates(AppContext&) {}
  // The exit paths' restore: after it the lamp step leaves the locks alone.
  virtual void RestoreLockStatesOnExit(AppContext& app) { RestoreLockStates(app); }
  virtual void SavePreset(AppContext&, const std::string& /*name*/) {}
  virtual void OpenChosenSerialPort(AppContext&) {}
  // The DMX universe or start slot box changed: saved, and the output follows.
  virtual void ApplyDmxChoice(AppContext&) {}
  virtual void SaveWindowPosition(AppContext&, WindowPosition) {}
  // A colour chosen for the lamp of `channel` (1..18): stored and used only
  // when the colour file opens.
  virtual void SaveChannelColour(AppContext&, int /*channel*/, int /*colour*/) {}

  // The exit paths.
  // SaveOnExit's file step: pin map, KEY_LED, LPT_LED, Preset, Language, Invert.
  virtual void SaveOnExitKeys(AppContext&) {}
  // Closes the serial port when one is open.
  virtual void CloseSerialPort(AppContext&) {}
  // SaveOnClose's file step: as SaveOnExit's plus X_form, Y_form and RS232.
  virtual void SaveOnCloseKeys(AppContext&, WindowPosition) {}
  // USB 0x00, 0x40, 0x80; the parallel port 0 and 11; the port library released.
  virtual void AllOffSequence(AppContext&) {}
  // The final release, after the worker has stopped and while the engine still
  // exists: devices, libraries and everything connected to the engine.
  virtual void Release(AppContext&) {}
};

}  // namespace lumiglow
