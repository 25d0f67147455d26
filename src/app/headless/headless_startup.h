// The file steps of start-up for a run without a window, and its close path.
// Start-up reads setting.dat and LedColor.dat, lists the presets and languages,
// loads the preset, reads the control settings and applies the language, in the
// program's order; the close path saves as closing the window does.
#pragma once

#include <string>

#include "app/headless/command_line.h"
#include "settings/preset_change_queue.h"
#include "settings/settings_context.h"
#include "settings/settings_file.h"

namespace lumiglow {

struct HeadlessSession {
  explicit HeadlessSession(Engine& engine);
  HeadlessSession(const HeadlessSession&) = delete;
  HeadlessSession& operator=(const HeadlessSession&) = delete;

  Engine& engine;
  CurrentFiles files;
  UiTexts texts;
  TrayMenuTexts tray_menu;
  SettingsThresholdFile thresholds;
  SettingsContext context;
  // The preset hotkey's change, run by the main loop (RunPending / WaitAndRun).
  PresetChangeQueue preset_changes;
  // Connected by the serial link when there is one; runs inside setting.dat.
  SerialPortScan serial_scan;

  // As read at start-up; with no window and no port scan they are saved back
  // unchanged.
  EarlySettings early;
  ControlSettings control_settings;
};

// --data-dir: creates the folder when missing and makes it the current
// directory. Then sets ProgramFolder: that folder, or without the option the
// program file's own folder. False with `error` set when the folder cannot be
// made or entered.
bool EnterDataFolder(const HeadlessOptions& options, CurrentFiles& files, std::string& error);

// Start-up up to the worker's start: settings, colours, listings, preset, effect
// box, control settings, then the command-line values, the resets of start-up,
// and the engine's file hooks.
void RunStartupFileSteps(HeadlessSession& session, const HeadlessOptions& options);

// The last step of start-up, after the worker has started: the language.
void ApplyStartupLanguage(HeadlessSession& session);

// The close path: outputs suspended, thresholds (manual mode), setting.dat's
// close keys with the window position and serial port as read at start-up,
// and the current preset. `cycles_run` is false when the worker never took its
// copies of the level and gain bars; they are taken here instead.
void LeaveThroughClose(HeadlessSession& session, bool cycles_run);

}  // namespace lumiglow
