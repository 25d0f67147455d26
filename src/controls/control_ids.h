// Control numbers of the main window. The numbers are part of the program's
// contract: the language files, the settings and the event handlers use them.
#pragma once

namespace lumiglow::ctl {

inline constexpr int kUsbStatusLabel = 0;
inline constexpr int kThresholdBar1 = 1;  // 1..18, bar c belongs to channel c
inline constexpr int kModeBox = 19;
inline constexpr int kLanguageBox = 20;
inline constexpr int kLevelBar = 21;
inline constexpr int kAgcBar = 23;
inline constexpr int kKeyboardButton = 24;
inline constexpr int kEffectBox = 25;
inline constexpr int kPinBox1 = 27;  // 27..44
inline constexpr int kLptButton = 45;
inline constexpr int kPinLabel1 = 46;  // 46..63
inline constexpr int kExpandButton = 64;
inline constexpr int kBrightBar = 66;
inline constexpr int kStepBar = 67;
inline constexpr int kPresetBox = 68;
inline constexpr int kInvertButton = 69;
inline constexpr int kAutostartAddButton = 80;
inline constexpr int kAutostartRemoveButton = 81;
inline constexpr int kLoadEffectButton = 82;
inline constexpr int kSpeedBar = 83;
inline constexpr int kVersionLabel = 86;
inline constexpr int kCentreButton = 90;
inline constexpr int kComPortBox = 91;
inline constexpr int kDmxUniverseBox = 92;  // -1: no DMX output
inline constexpr int kDmxStartBox = 93;
inline constexpr int kBandIndicator1 = 303;  // 303..320

inline constexpr int kChannelCount = 18;
inline constexpr int kHighestNumber = 320;

constexpr int ThresholdBar(int channel) { return kThresholdBar1 + channel - 1; }
constexpr int PinBox(int pin) { return kPinBox1 + pin - 1; }
constexpr int BandIndicator(int channel) { return kBandIndicator1 + channel - 1; }

}  // namespace lumiglow::ctl
