#include "settings/ui_texts.h"

#include "controls/cp1251.h"

namespace lumiglow {
namespace {

struct Row {
  const char* key;
  const char* utf8;
};

constexpr std::array<Row, kUiTextCount> kRows = {{
    {"ac8", "Гц"},
    {"ac9", "Открыть файл"},
    {"ac10", "Файлы эффектов (*.sdu)|*.sdu"},
    {"ac11", "Файл отсутствует!"},
    {"ac12", "Для работы программы"},
    {"ac13", "требуется файл"},
    {"ac56", "Ошибка!"},
    {"ac57", "Файл (*.sdu) не прочитан"},
    {"ac51", "Авторы"},
    {"ac52", "Настройки"},
    {"ac53", "История"},
    {"ac54", "Схема LPT-светомузыки"},
}};

}  // namespace

const char* UiTexts::KeyOf(UiText which) { return kRows[static_cast<int>(which)].key; }

std::string UiTexts::BuiltIn(UiText which) {
  return Cp1251FromUtf8(kRows[static_cast<int>(which)].utf8);
}

void UiTexts::ResetToBuiltIn() {
  std::lock_guard lock(mutex_);
  for (int i = 0; i < kUiTextCount; ++i) texts_[i] = BuiltIn(static_cast<UiText>(i));
}

std::string UiTexts::Get(UiText which) const {
  std::lock_guard lock(mutex_);
  return texts_[static_cast<int>(which)];
}

void UiTexts::Set(UiText which, std::string text) {
  std::lock_guard lock(mutex_);
  texts_[static_cast<int>(which)] = std::move(text);
}

}  // namespace lumiglow
