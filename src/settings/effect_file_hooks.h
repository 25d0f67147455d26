// What the settings operations need from the effect files: the preset change
// and the language change relist the effect names, and start-up loads the
// chosen effect. Implemented by the effects code; nothing happens when none is
// connected. Called on the user-interface thread.
#pragma once

#include <string>

namespace lumiglow {

class EffectFileHooks {
 public:
  virtual ~EffectFileHooks() = default;
  // Refills EffectBox with the effect names of the current language.
  virtual void FillEffectBox() = 0;
  // Loads the effect of that name from the current effect file.
  virtual void LoadEffect(const std::string& name) = 0;
};

}  // namespace lumiglow
