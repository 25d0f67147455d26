#include "settings/pref_number.h"

#include "controls/cp1251.h"
#include "settings/parse_number.h"
#include "settings/pref_file.h"

namespace lumiglow {

const std::string& NoText() {
  static const std::string text = Cp1251FromUtf8("Нет");
  return text;
}

int64_t ReadPrefNumber(std::string_view key) {
  return ParseNumber(ReadPrefText(key, NoText()));
}

}  // namespace lumiglow
