// The twelve built-in texts that live in variables rather than on controls, and
// the language keys that replace them. Texts are Windows-1251 bytes.
#pragma once

#include <array>
#include <mutex>
#include <string>

namespace lumiglow {

enum class UiText {
  kFrequencyUnit,       // ac8  "Гц"
  kOpenDialogTitle,     // ac9  "Открыть файл"
  kOpenDialogFilter,    // ac10 "Файлы эффектов (*.sdu)|*.sdu"
  kMissingFileTitle,    // ac11 "Файл отсутствует!"
  kMissingFileLine1,    // ac12 "Для работы программы"
  kMissingFileLine2,    // ac13 "требуется файл"
  kEffectErrorTitle,    // ac56 "Ошибка!"
  kEffectErrorText,     // ac57 "Файл (*.sdu) не прочитан"
  kAuthorsTitle,        // ac51 "Авторы"
  kHelpTitle,           // ac52 "Настройки"
  kHistoryTitle,        // ac53 "История"
  kLptSchemeTitle,      // ac54 "Схема LPT-светомузыки"
};

inline constexpr int kUiTextCount = 12;

// Thread-safe: the worker reads the effect message texts.
class UiTexts {
 public:
  UiTexts() { ResetToBuiltIn(); }
  void ResetToBuiltIn();
  std::string Get(UiText which) const;
  void Set(UiText which, std::string text);

  static const char* KeyOf(UiText which);
  static std::string BuiltIn(UiText which);

 private:
  mutable std::mutex mutex_;
  std::array<std::string, kUiTextCount> texts_;
};

}  // namespace lumiglow
