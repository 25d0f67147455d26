// setting.dat (window position, USB numbers, preset, language, thresholds,
// toggles, pin map, serial port) and LedColor.dat (the lamp and graph
// colours): reading them at start-up and the saves that write single groups of
// keys. Both files are opened by bare name in the current directory.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "controls/controls.h"
#include "engine/engine_hooks.h"
#include "engine/shared_state.h"
#include "outputs/dmx_link.h"
#include "settings/current_files.h"
#include "settings/settings_context.h"

namespace lumiglow {

inline constexpr const char* kSettingFile = "setting.dat";
inline constexpr const char* kColourFile = "LedColor.dat";

struct EarlySettings {
  int32_t X_form = 0, Y_form = 0;  // the window's last position
  int32_t PID = 0, VID = 0;        // the USB light controller's numbers
};

// X_form, Y_form, PID, VID, then Preset and Language into PresetName and
// LanguageName. Without the file everything keeps its start value.
EarlySettings ReadEarlySettings(CurrentFiles& files);

// ChannelColours "0".."18" and the four graph colours; without the file, the
// colours a missing file stands for (unlit lamps grey, lit lamps red).
void ReadColours(DisplayColours& colours);

struct ControlSettings {
  bool opened = false;  // setting.dat was read
  std::string RS232;    // the serial port as written ("Нет" when the key is missing)
  int OUT_DELAY = 0;    // cycles the devices lag the engine, 0..20
  DmxSettings dmx;      // DMX_UNIVERSE, DMX_START and DMX_LEVEL
};

// The serial-port scan with the RS232 text. It runs while this thread has
// setting.dat open, so it must not open another preference file.
using SerialPortScan = std::function<void(const std::string& rs232)>;

// Thresholds fr1..fr18, KEY_LED, LPT_LED, OUT1..OUT18 and Invert into their
// controls, OUT_DELAY (held at 0..20), DMX_UNIVERSE, DMX_START (also into
// their boxes) and DMX_LEVEL, then the serial-port scan. Without the file nothing happens: the
// controls keep their start positions and no scan runs.
ControlSettings ReadControlSettings(Controls& controls, const SerialPortScan& scan = {});

// The manual-mode thresholds fr1..fr18. Either thread may call.
class SettingsThresholdFile : public ThresholdFile {
 public:
  SettingsThresholdFile(Controls& controls, SharedState& state)
      : controls_(controls), state_(state) {}
  // Fills the 18 bars and sets ThresholdsLoaded when setting.dat opens.
  void LoadThresholds() override;
  // Writes the 18 bars, only while the light mode is manual.
  void SaveThresholds() override;

 private:
  Controls& controls_;
  SharedState& state_;
};

// OUT1..OUT18 from the pin boxes, into the file already open.
void SavePinMap(const Controls& controls);

// After a move of the window: X_form and Y_form, unless the window is minimised.
void SaveWindowPosition(WindowPosition position, bool minimised);

// The DMX universe and start slot into their boxes, and back.
void ShowDmxSettings(Controls& controls, const DmxSettings& dmx);
DmxSettings ChosenDmxSettings(const Controls& controls, bool brightness_level);
// DMX_UNIVERSE (empty for none) and DMX_START, after a change in the window.
// DMX_LEVEL is the file's alone and stays as written.
void SaveDmxSettings(const DmxSettings& dmx);

// The file side of a colour chosen for channel 1..18 (-1: the chooser was
// cancelled): stored and shown only when LedColor.dat exists. True when the
// colour was taken.
bool SaveChannelColour(int channel, int32_t colour, DisplayColours& colours);

}  // namespace lumiglow
