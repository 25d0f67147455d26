// The main window's controls in the order they are created, with their place,
// range, start state and the texts they carry when created (before any
// language file is applied).
#include <string>
#include <vector>

#include "controls/controls.h"
#include "controls/cp1251.h"
#include "engine/band_table.h"
#include "outputs/dmx_link.h"

namespace lumiglow {
namespace {

std::string Ru(const char* utf8) { return Cp1251FromUtf8(utf8); }

ControlSpec Bar(int number, const char* name, ControlGeometry g, bool vertical, int min, int max,
                int page, int start, std::string tooltip = {}) {
  ControlSpec s;
  s.number = number;
  s.name = name;
  s.kind = ControlKind::kScrollBar;
  s.geometry = g;
  s.vertical = vertical;
  s.minimum = min;
  s.maximum = max;
  s.page = page;
  s.start = start;
  s.tooltip = std::move(tooltip);
  return s;
}

ControlSpec Plain(int number, const char* name, ControlKind kind, ControlGeometry g,
                  std::string text = {}, std::string tooltip = {}) {
  ControlSpec s;
  s.number = number;
  s.name = name;
  s.kind = kind;
  s.geometry = g;
  s.text = std::move(text);
  s.tooltip = std::move(tooltip);
  if (kind == ControlKind::kComboBox) s.start = -1;
  return s;
}

ControlSpec Spin(int number, const char* name, ControlGeometry g, int min, int max, int start,
                 std::string tooltip) {
  ControlSpec s = Plain(number, name, ControlKind::kSpinBox, g, {}, std::move(tooltip));
  s.minimum = min;
  s.maximum = max;
  s.start = start;
  return s;
}

std::vector<ControlSpec> BuildTable() {
  std::vector<ControlSpec> t;
  const std::string hz = Ru("Гц");
  for (int i = 1; i <= ctl::kChannelCount; ++i) {
    t.push_back(Bar(ctl::ThresholdBar(i), "ThresholdBar", {10 + 9 * (i - 1), 117, 8, 80}, true,
                    0, 40, 1, 15, std::string(kBandLabels[i - 1]) + hz));
  }
  auto mode = Plain(ctl::kModeBox, "ModeBox", ControlKind::kComboBox, {3, 238, 80, 20});
  mode.items.assign(6, std::string());
  t.push_back(mode);
  t.push_back(Bar(ctl::kBrightBar, "BrightBar", {10, 218, 80, 16}, false, 0, 18, 3, 11));
  t.push_back(Bar(ctl::kStepBar, "StepBar", {90, 218, 80, 16}, false, 0, 265, 10, 40));
  t.push_back(Bar(ctl::kLevelBar, "LevelBar", {10, 200, 80, 16}, false, 0, 70, 10, 35));
  t.push_back(Bar(ctl::kAgcBar, "AgcBar", {90, 200, 80, 16}, false, 1, 70, 10, 35));
  // "Клава" and "Инверсия" are emptied as soon as the buttons exist.
  t.push_back(Plain(ctl::kKeyboardButton, "KeyboardButton", ControlKind::kToggleButton,
                    {298, 260, 37, 20}));
  t.push_back(Plain(ctl::kLptButton, "LptButton", ControlKind::kToggleButton, {181, 260, 37, 20},
                    "LPT"));
  t.push_back(Plain(ctl::kInvertButton, "InvertButton", ControlKind::kToggleButton,
                    {3, 260, 57, 20}));
  t.push_back(Plain(ctl::kExpandButton, "ExpandButton", ControlKind::kPushButton,
                    {119, 260, 57, 20}, "<     >"));
  t.push_back(Plain(ctl::kCentreButton, "CentreButton", ControlKind::kPushButton,
                    {61, 260, 57, 20}, "0"));
  t.push_back(Plain(ctl::kAutostartAddButton, "AutostartAddButton", ControlKind::kImageButton,
                    {181, 5, 25, 25}, {}, Ru("Добавить в автозагрузку")));
  t.push_back(Plain(ctl::kAutostartRemoveButton, "AutostartRemoveButton",
                    ControlKind::kImageButton, {211, 5, 25, 25}, {},
                    Ru("Удалить из автозагрузки")));
  t.push_back(Plain(ctl::kLoadEffectButton, "LoadEffectButton", ControlKind::kImageButton,
                    {87, 5, 25, 25}, {}, Ru("Загрузить файл")));
  auto speed = Plain(ctl::kSpeedBar, "SpeedBar", ControlKind::kTrackBar, {5, 5, 80, 20}, {},
                     Ru("Скорость эффектов"));
  speed.minimum = 0;
  speed.maximum = 5;
  t.push_back(speed);
  auto usb = Plain(ctl::kUsbStatusLabel, "UsbStatusLabel", ControlKind::kTextLabel,
                   {119, 8, 57, 18}, "USBOFF");
  usb.text_colour = 255;
  t.push_back(usb);
  auto version = Plain(ctl::kVersionLabel, "VersionLabel", ControlKind::kTextLabel,
                       {265, 264, 35, 18}, "v.2.14");
  version.text_colour = 16711680;
  t.push_back(version);
  t.push_back(Plain(ctl::kPresetBox, "PresetBox", ControlKind::kComboBox, {181, 238, 75, 20}));
  t.push_back(Plain(ctl::kLanguageBox, "LanguageBox", ControlKind::kComboBox, {260, 238, 75, 20}));
  t.push_back(Plain(ctl::kComPortBox, "ComPortBox", ControlKind::kComboBox, {220, 260, 75, 20},
                    {}, "RS232"));
  t.push_back(Plain(ctl::kEffectBox, "EffectBox", ControlKind::kComboBox, {83, 238, 93, 20}));
  // The DMX output, beside the autostart buttons on the wide panel.
  t.push_back(Spin(ctl::kDmxUniverseBox, "DmxUniverseBox", {240, 8, 46, 20}, -1,
                   static_cast<int>(kDmxMaxUniverse), -1,
                   Ru("DMX-вселенная (пусто: без DMX)")));
  t.push_back(Spin(ctl::kDmxStartBox, "DmxStartBox", {289, 8, 46, 20}, 1, kDmxMaxStart, 1,
                   Ru("Первый DMX-канал")));

  // Pin panel: labels row by row (left, right), boxes column by column.
  static const char* const kPinNames[18] = {"PD0", "PD1", "PD3", "PD5", "PD6", "PD7",
                                            "PB0", "PB1", "PB2", "PB3", "PB4", "PB5",
                                            "PC0", "PC1", "PC2", "PC3", "PC4", "PC5"};
  for (int k = 0; k < 9; ++k) {
    t.push_back(Plain(ctl::kPinLabel1 + 2 * k, "PinLabel", ControlKind::kTextLabel,
                      {181, 39 + 22 * k, 22, 16}, kPinNames[k]));
    t.push_back(Plain(ctl::kPinLabel1 + 2 * k + 1, "PinLabel", ControlKind::kTextLabel,
                      {261, 39 + 22 * k, 22, 16}, kPinNames[9 + k]));
  }
  for (int pin = 1; pin <= ctl::kChannelCount; ++pin) {
    const int column = (pin - 1) / 9, row = (pin - 1) % 9;
    auto box = Plain(ctl::PinBox(pin), "PinBox", ControlKind::kComboBox,
                     {205 + 80 * column, 35 + 22 * row, 50, 20});
    box.items.push_back(std::string());
    for (int c = 1; c <= ctl::kChannelCount; ++c) box.items.push_back(std::to_string(c));
    t.push_back(box);
  }
  for (int i = 1; i <= ctl::kChannelCount; ++i) {
    t.push_back(Plain(ctl::BandIndicator(i), "BandIndicator", ControlKind::kImage,
                      {10 + 9 * (i - 1), 35, 8, 80}));
  }
  return t;
}

}  // namespace

const std::vector<ControlSpec>& Controls::Table() {
  static const std::vector<ControlSpec> table = BuildTable();
  return table;
}

}  // namespace lumiglow
