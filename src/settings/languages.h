// Language files "<name>.lng": the group MainWin maps the keys ac, ac1..ac21
// and ac34..ac57 to the texts of the tray menu, the UiTexts, and the tooltips,
// button texts and box entries of the window. Every missing key, group or file
// gives the built-in Russian text. Language files are only ever read.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_context.h"

namespace lumiglow {

// A language key and its built-in text (8-bit), in the order they are applied.
struct LanguageKey {
  std::string key;
  std::string built_in;
};
// Every distinct key a language file can carry.
std::vector<LanguageKey> LanguageKeys();

// The tray menu's texts before any language is applied.
TrayMenuTexts BuiltInTrayMenu();

// Fills LanguageBox with the languages of `folder` (sorted by name) and selects
// the one named `language_name`, when there is one.
void ListLanguages(const std::string& folder, const std::string& language_name, Controls& controls);

// Applies the language file of that (8-bit) name: rebuilds the tray menu's
// texts, sets the UiTexts, tooltips, button texts and box entries and the
// threshold-bar tooltips. The selections of the mode, language, effect, preset
// and pin boxes are kept.
void ApplyLanguage(const std::string& file_name, Controls& controls, UiTexts& texts,
                   TrayMenuTexts& tray_menu);

// After LanguageBox changed its selection: LanguageName takes the box's text,
// setting.dat is saved, the effect names are relisted in the new language and
// EffectIndex selected again, and the language is applied. The loaded effect's
// steps stay.
void ChangeLanguage(SettingsContext& context, WindowPosition position);

// The rich-text file of a help window: the first 7 characters of the language
// box's text, then the suffix ("_spravka.rtf", "_histori.rtf", "_avtori.rtf").
std::string HelpFileName(std::string_view language_box_text, std::string_view suffix);

}  // namespace lumiglow
