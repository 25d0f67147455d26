// The names of the files in use: the current preset, language and effect file,
// and the folder the preset and language listings come from.
#pragma once

#include <string>

#include "controls/shared_text.h"

namespace lumiglow {

struct CurrentFiles {
  SharedText PresetName;
  SharedText LanguageName;
  SharedText EffectFileName{"effect.sdu"};  // opened by bare name
  std::string ProgramFolder;               // with its trailing '/'
};

}  // namespace lumiglow
