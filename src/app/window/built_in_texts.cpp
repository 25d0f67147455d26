#include "app/window/built_in_texts.h"

#include "controls/controls.h"
#include "controls/cp1251.h"
#include "engine/band_table.h"
#include "settings/ui_texts.h"

namespace lumiglow {
namespace {

std::string Ru(const char* utf8) {
  return Cp1251FromUtf8(utf8);
}

}  // namespace

TrayMenuTexts AppActions::ApplyLanguage(AppContext& app, const std::string&) {
  return ApplyBuiltInTexts(app);
}

TrayMenuTexts BuiltInTrayMenuTexts() {
  return {Ru("Развернуть"),
          Ru("Свернуть"),
          Ru("Справка"),
          Ru("Настройки"),
          Ru("Схема LPT-светомузыки"),
          Ru("История"),
          Ru("О программе"),
          Ru("Выход")};
}

TrayMenuTexts ApplyBuiltInTexts(AppContext& app) {
  Controls& c = app.controls;
  app.ui_texts.ResetToBuiltIn();
  c.SetTooltip(ctl::kSpeedBar, Ru("Скорость БО из файла"));
  c.SetTooltip(ctl::kModeBox, Ru("Режим"));
  const char* const modes[] = {"Нету", "Ручной", "Авто", "Случайный", "Уровень 1", "Уровень 2"};
  for (int i = 0; i < 6; ++i) c.SetItemText(ctl::kModeBox, i, Ru(modes[i]));
  c.SetTooltip(ctl::kEffectBox, Ru("Бегущий огонь"));
  c.SetTooltip(ctl::kBrightBar, Ru("Яркость"));
  c.SetTooltip(ctl::kStepBar, Ru("Шаг"));
  c.SetTooltip(ctl::kLevelBar, Ru("Общий регулятор уровня"));
  c.SetTooltip(ctl::kAgcBar, Ru("АРУ"));
  c.SetText(ctl::kKeyboardButton, Ru("Клава"));
  c.SetTooltip(ctl::kKeyboardButton, Ru("Цветомузыка на клавиатуру"));
  c.SetTooltip(ctl::kLptButton, Ru("Цветомузыка на LPT-порт"));
  c.SetText(ctl::kInvertButton, Ru("Инверсия"));
  c.SetTooltip(ctl::kInvertButton, Ru("Инвертирует состояние выходов"));
  c.SetTooltip(ctl::kExpandButton, Ru("Свернуть/Развернуть дополнительные настройки"));
  c.SetTooltip(ctl::kCentreButton, Ru("Среднее положение эквалайзера"));
  c.SetTooltip(ctl::kAutostartAddButton, Ru("Добавить в автозагрузку"));
  c.SetTooltip(ctl::kAutostartRemoveButton, Ru("Удалить из автозагрузки"));
  c.SetTooltip(ctl::kLoadEffectButton, Ru("Загрузить файл эффектов"));
  c.SetTooltip(ctl::kPresetBox, Ru("Предустановки"));
  c.SetTooltip(ctl::kLanguageBox, Ru("Язык"));
  for (int pin = 1; pin <= ctl::kChannelCount; ++pin) {
    c.SetItemText(ctl::PinBox(pin), 0, Ru("Нету"));
    c.SetTooltip(ctl::PinBox(pin), Ru("Номер фильтра, подключенного к порту"));
  }
  const std::string unit = app.ui_texts.Get(UiText::kFrequencyUnit);
  for (int i = 1; i <= ctl::kChannelCount; ++i) {
    c.SetTooltip(ctl::ThresholdBar(i), std::string(kBandLabels[i - 1]) + unit);
  }
  return BuiltInTrayMenuTexts();
}

}  // namespace lumiglow
