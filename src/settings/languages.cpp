#include "settings/languages.h"

#include <array>

#include "controls/cp1251.h"
#include "engine/band_table.h"
#include "settings/file_names.h"
#include "settings/pref_file.h"
#include "settings/saving_sequences.h"

namespace lumiglow {
namespace {

constexpr std::string_view kExtension = ".lng";
constexpr const char* kGroup = "MainWin";

struct TrayKey {
  const char* key;
  const char* utf8;
  std::string TrayMenuTexts::*field;
};

constexpr std::array<TrayKey, 8> kTrayKeys = {{
    {"ac", "Развернуть", &TrayMenuTexts::restore},
    {"ac1", "Свернуть", &TrayMenuTexts::minimise},
    {"ac2", "Справка", &TrayMenuTexts::help_menu},
    {"ac3", "Настройки", &TrayMenuTexts::help},
    {"ac4", "Схема LPT-светомузыки", &TrayMenuTexts::lpt_scheme},
    {"ac5", "История", &TrayMenuTexts::history},
    {"ac6", "О программе", &TrayMenuTexts::about},
    {"ac7", "Выход", &TrayMenuTexts::exit},
}};

enum class Place { kTooltip, kText, kModeItem, kPinItem0, kPinTooltip };

struct ControlKey {
  const char* key;
  const char* utf8;
  Place place;
  int target;  // control number, or the ModeBox entry
};

constexpr std::array<ControlKey, 29> kControlKeys = {{
    {"ac55", "Скорость БО из файла", Place::kTooltip, ctl::kSpeedBar},
    {"ac14", "Режим", Place::kTooltip, ctl::kModeBox},
    {"ac15", "Нету", Place::kModeItem, 0},
    {"ac16", "Ручной", Place::kModeItem, 1},
    {"ac17", "Авто", Place::kModeItem, 2},
    {"ac18", "Случайный", Place::kModeItem, 3},
    {"ac19", "Уровень 1", Place::kModeItem, 4},
    {"ac20", "Уровень 2", Place::kModeItem, 5},
    {"ac21", "Бегущий огонь", Place::kTooltip, ctl::kEffectBox},
    {"ac34", "Яркость", Place::kTooltip, ctl::kBrightBar},
    {"ac35", "Шаг", Place::kTooltip, ctl::kStepBar},
    {"ac36", "Общий регулятор уровня", Place::kTooltip, ctl::kLevelBar},
    {"ac37", "АРУ", Place::kTooltip, ctl::kAgcBar},
    {"ac38", "Клава", Place::kText, ctl::kKeyboardButton},
    {"ac39", "Цветомузыка на клавиатуру", Place::kTooltip, ctl::kKeyboardButton},
    {"ac40", "Цветомузыка на LPT-порт", Place::kTooltip, ctl::kLptButton},
    {"ac41", "Инверсия", Place::kText, ctl::kInvertButton},
    {"ac42", "Инвертирует состояние выходов", Place::kTooltip, ctl::kInvertButton},
    {"ac43", "Свернуть/Развернуть дополнительные настройки", Place::kTooltip, ctl::kExpandButton},
    {"ac44", "Среднее положение эквалайзера", Place::kTooltip, ctl::kCentreButton},
    {"ac45", "Добавить в автозагрузку", Place::kTooltip, ctl::kAutostartAddButton},
    {"ac46", "Удалить из автозагрузки", Place::kTooltip, ctl::kAutostartRemoveButton},
    {"ac47", "Загрузить файл эффектов", Place::kTooltip, ctl::kLoadEffectButton},
    {"ac48", "Предустановки", Place::kTooltip, ctl::kPresetBox},
    {"ac49", "Язык", Place::kTooltip, ctl::kLanguageBox},
    {"ac15", "Нету", Place::kPinItem0, 0},
    {"ac50", "Номер фильтра, подключенного к порту", Place::kPinTooltip, 0},
    {"ac58", "DMX-вселенная (пусто: без DMX)", Place::kTooltip, ctl::kDmxUniverseBox},
    {"ac59", "Первый DMX-канал", Place::kTooltip, ctl::kDmxStartBox},
}};

// Boxes whose entries may be rewritten, so their selections are noted first.
std::vector<int> NotedBoxes() {
  std::vector<int> boxes = {ctl::kModeBox, ctl::kLanguageBox, ctl::kEffectBox};
  for (int pin = 1; pin <= ctl::kChannelCount; ++pin) boxes.push_back(ctl::PinBox(pin));
  boxes.push_back(ctl::kPresetBox);
  return boxes;
}

void ApplyControlKey(const ControlKey& k, const std::string& text, Controls& controls) {
  switch (k.place) {
    case Place::kTooltip:
      controls.SetTooltip(k.target, text);
      break;
    case Place::kText:
      controls.SetText(k.target, text);
      break;
    case Place::kModeItem:
      controls.SetItemText(ctl::kModeBox, k.target, text);
      break;
    case Place::kPinItem0:
      for (int pin = 1; pin <= ctl::kChannelCount; ++pin)
        controls.SetItemText(ctl::PinBox(pin), 0, text);
      break;
    case Place::kPinTooltip:
      for (int pin = 1; pin <= ctl::kChannelCount; ++pin)
        controls.SetTooltip(ctl::PinBox(pin), text);
      break;
  }
}

std::string Read(const char* key, const char* utf8_built_in) {
  return ReadPrefText(key, Cp1251FromUtf8(utf8_built_in));
}

}  // namespace

std::vector<LanguageKey> LanguageKeys() {
  std::vector<LanguageKey> keys;
  for (const auto& k : kTrayKeys) keys.push_back({k.key, Cp1251FromUtf8(k.utf8)});
  for (int i = 0; i < kUiTextCount; ++i) {
    const auto which = static_cast<UiText>(i);
    keys.push_back({UiTexts::KeyOf(which), UiTexts::BuiltIn(which)});
  }
  for (const auto& k : kControlKeys) {
    if (k.place == Place::kPinItem0) continue;  // ac15 a second time
    keys.push_back({k.key, Cp1251FromUtf8(k.utf8)});
  }
  return keys;
}

TrayMenuTexts BuiltInTrayMenu() {
  TrayMenuTexts menu;
  for (const auto& k : kTrayKeys) menu.*k.field = Cp1251FromUtf8(k.utf8);
  return menu;
}

void ListLanguages(const std::string& folder, const std::string& language_name,
                   Controls& controls) {
  const std::string wanted = language_name + std::string(kExtension);
  for (const std::string& file : ListFolder(folder, kExtension)) {
    controls.AddItem(ctl::kLanguageBox, file.substr(0, file.size() - kExtension.size()));
    if (file == wanted)
      controls.SetState(ctl::kLanguageBox, controls.ItemCount(ctl::kLanguageBox) - 1);
  }
}

void ApplyLanguage(const std::string& file_name, Controls& controls, UiTexts& texts,
                   TrayMenuTexts& tray_menu) {
  const std::vector<int> boxes = NotedBoxes();
  std::vector<int> selections;
  for (int box : boxes) selections.push_back(controls.State(box));

  // A file that does not open is not special: every key then reads as built in.
  OpenPrefFile(FileSystemName(file_name));
  SelectPrefGroup(kGroup);

  TrayMenuTexts menu;
  for (const auto& k : kTrayKeys) menu.*k.field = Read(k.key, k.utf8);
  tray_menu = std::move(menu);

  for (int i = 0; i < kUiTextCount; ++i) {
    const auto which = static_cast<UiText>(i);
    texts.Set(which, ReadPrefText(UiTexts::KeyOf(which), UiTexts::BuiltIn(which)));
  }
  for (const auto& k : kControlKeys) ApplyControlKey(k, Read(k.key, k.utf8), controls);

  const std::string unit = texts.Get(UiText::kFrequencyUnit);
  for (int c = 1; c <= ctl::kChannelCount; ++c)
    controls.SetTooltip(ctl::ThresholdBar(c), std::string(kBandLabels[c - 1]) + unit);

  ClosePrefFile();
  for (std::size_t i = 0; i < boxes.size(); ++i) controls.SetState(boxes[i], selections[i]);
}

void ChangeLanguage(SettingsContext& context, WindowPosition position) {
  Controls& controls = context.controls();
  context.files.LanguageName.Set(controls.Text(ctl::kLanguageBox));
  SaveOnLanguageChange(context, position);
  if (context.effects) context.effects->FillEffectBox();
  controls.SetState(ctl::kEffectBox, context.state().EffectIndex);
  ApplyLanguage(context.files.LanguageName.Get() + std::string(kExtension), controls, context.texts,
                context.tray_menu);
}

std::string HelpFileName(std::string_view language_box_text, std::string_view suffix) {
  return std::string(language_box_text.substr(0, 7)) + std::string(suffix);
}

}  // namespace lumiglow
