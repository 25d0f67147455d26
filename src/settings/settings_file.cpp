#include "settings/settings_file.h"

#include <string>

#include "outputs/output_delay.h"
#include "settings/pref_file.h"
#include "settings/pref_number.h"

namespace lumiglow {
namespace {

std::string Numbered(const char* prefix, int n) {
  return prefix + std::to_string(n);
}

void ReadThresholdBars(Controls& controls) {
  for (int c = 1; c <= ctl::kChannelCount; ++c)
    controls.SetState(ctl::ThresholdBar(c), Narrow32(ReadPrefNumber(Numbered("fr", c))));
}

}  // namespace

EarlySettings ReadEarlySettings(CurrentFiles& files) {
  EarlySettings early;
  if (OpenPrefFile(kSettingFile)) {
    early.X_form = Narrow32(ReadPrefNumber("X_form"));
    early.Y_form = Narrow32(ReadPrefNumber("Y_form"));
    early.PID = Narrow32(ReadPrefNumber("PID"));
    early.VID = Narrow32(ReadPrefNumber("VID"));
    files.PresetName.Set(ReadPrefText("Preset", ""));
    files.LanguageName.Set(ReadPrefText("Language", ""));
  }
  ClosePrefFile();
  return early;
}

void ReadColours(DisplayColours& colours) {
  if (OpenPrefFile(kColourFile)) {
    for (int c = 0; c <= ctl::kChannelCount; ++c)
      colours.ChannelColours[c] = ReadPrefDecimal(std::to_string(c), 255);
    colours.SpectrColor = ReadPrefDecimal("SpectrColor", 65280);
    colours.BkSpectrColor = ReadPrefDecimal("BkSpectrColor", 7039851);
    colours.BrLedColor = ReadPrefDecimal("BrLedColor", 13619151);
    colours.GdSpectrColor = ReadPrefDecimal("GdSpectrColor", 13619151);
  } else {
    colours.ChannelColours[0] = 12303291;
    for (int c = 1; c <= ctl::kChannelCount; ++c) colours.ChannelColours[c] = 255;
    colours.SpectrColor = 65280;
    colours.BkSpectrColor = 7039851;
    colours.BrLedColor = 13619151;
    colours.GdSpectrColor = 13619151;
  }
  ClosePrefFile();
}

ControlSettings ReadControlSettings(Controls& controls, const SerialPortScan& scan) {
  ControlSettings read;
  if (OpenPrefFile(kSettingFile)) {
    read.opened = true;
    ReadThresholdBars(controls);
    controls.SetState(ctl::kKeyboardButton, Narrow32(ReadPrefNumber("KEY_LED")));
    controls.SetState(ctl::kLptButton, Narrow32(ReadPrefNumber("LPT_LED")));
    for (int pin = 1; pin <= ctl::kChannelCount; ++pin)
      controls.SetState(ctl::PinBox(pin), Narrow32(ReadPrefNumber(Numbered("OUT", pin))));
    controls.SetState(ctl::kInvertButton, Narrow32(ReadPrefNumber("Invert")));
    read.OUT_DELAY = ClampOutputDelay(ReadPrefNumber("OUT_DELAY"));
    read.dmx = ParseDmxSettings(ReadPrefText("DMX_UNIVERSE", ""), ReadPrefText("DMX_START", ""),
                                ReadPrefText("DMX_LEVEL", ""));
    ShowDmxSettings(controls, read.dmx);
    read.RS232 = ReadPrefText("RS232", NoText());
    if (scan) scan(read.RS232);
  }
  ClosePrefFile();
  return read;
}

void SettingsThresholdFile::LoadThresholds() {
  if (OpenPrefFile(kSettingFile)) {
    ReadThresholdBars(controls_);
    ClosePrefFile();
    state_.ThresholdsLoaded = 1;
  } else {
    ClosePrefFile();
  }
}

void SettingsThresholdFile::SaveThresholds() {
  if (state_.LightMode != kModeManual) return;
  OpenPrefFile(kSettingFile);
  for (int c = 1; c <= ctl::kChannelCount; ++c)
    WritePrefDecimal(Numbered("fr", c), controls_.State(ctl::ThresholdBar(c)));
  ClosePrefFile();
}

void SavePinMap(const Controls& controls) {
  for (int pin = 1; pin <= ctl::kChannelCount; ++pin)
    WritePrefDecimal(Numbered("OUT", pin), controls.State(ctl::PinBox(pin)));
}

void SaveWindowPosition(WindowPosition position, bool minimised) {
  OpenPrefFile(kSettingFile);
  if (!minimised) {
    WritePrefDecimal("X_form", position.x);
    WritePrefDecimal("Y_form", position.y);
  }
  ClosePrefFile();
}

void ShowDmxSettings(Controls& controls, const DmxSettings& dmx) {
  controls.SetState(ctl::kDmxUniverseBox, dmx.universe ? static_cast<int>(*dmx.universe) : -1);
  controls.SetState(ctl::kDmxStartBox, dmx.start);
}

DmxSettings ChosenDmxSettings(const Controls& controls, bool brightness_level) {
  DmxSettings dmx;
  const int universe = controls.State(ctl::kDmxUniverseBox);
  if (universe >= 0) dmx.universe = static_cast<uint32_t>(universe);
  dmx.start = controls.State(ctl::kDmxStartBox);
  dmx.brightness_level = brightness_level;
  return dmx;
}

void SaveDmxSettings(const DmxSettings& dmx) {
  OpenPrefFile(kSettingFile);
  WritePrefText("DMX_UNIVERSE", DmxUniverseText(dmx));
  WritePrefDecimal("DMX_START", dmx.start);
  ClosePrefFile();
}

bool SaveChannelColour(int channel, int32_t colour, DisplayColours& colours) {
  if (channel < 1 || channel > ctl::kChannelCount || colour == -1) return false;
  if (!OpenPrefFile(kColourFile)) {
    ClosePrefFile();
    return false;
  }
  WritePrefDecimal(std::to_string(channel), colour);
  ClosePrefFile();
  colours.ChannelColours[channel] = colour;
  return true;
}

}  // namespace lumiglow
