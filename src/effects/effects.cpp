#include "effects/effects.h"

#include <algorithm>
#include <cstdint>

#include "effects/effect_file.h"
#include "effects/effect_file_io.h"
#include "engine/engine.h"

namespace lumiglow {

Effects::Effects(Engine& engine, CurrentFiles& files, const UiTexts& texts, UserMessages& messages)
    : engine_(engine), files_(files), texts_(texts), messages_(messages) {}

void Effects::FillEffectBox() {
  std::lock_guard lock(mutex_);
  const std::optional<std::string> bytes = ReadEffectFile(files_.EffectFileName.Get());
  if (!bytes) return;
  Controls& controls = engine_.Ui();
  controls.ClearItems(ctl::kEffectBox);
  for (std::string& name : ListEffectNames(*bytes, files_.LanguageName.Get()))
    controls.AddItem(ctl::kEffectBox, std::move(name));
}

bool Effects::LoadEffectLocked(const std::string& name) {
  player_.Replace({});
  const std::optional<std::string> bytes = ReadEffectFile(files_.EffectFileName.Get());
  if (!bytes) return false;
  EffectReading reading = ReadEffect(*bytes, name);
  if (reading.speed) {
    // The bar keeps the value within its range; hold it at the ends of int first.
    const int64_t speed = std::clamp<int64_t>(*reading.speed, INT32_MIN, INT32_MAX);
    engine_.Ui().SetState(ctl::kSpeedBar, static_cast<int>(speed));
  }
  player_.Replace(std::move(reading.steps));
  return true;
}

void Effects::LoadEffect(const std::string& name) {
  bool read = false;
  {
    std::lock_guard lock(mutex_);
    read = LoadEffectLocked(name);
  }
  if (!read) ShowUnreadableFile();
}

void Effects::ShowUnreadableFile() {
  messages_.ShowMessage(MessageIcon::kError, texts_.Get(UiText::kEffectErrorTitle),
                        texts_.Get(UiText::kEffectErrorText));
}

void Effects::ChooseRandomEffect() {
  bool read = true;
  {
    std::lock_guard lock(mutex_);
    SharedState& state = engine_.State();
    Controls& controls = engine_.Ui();
    const int count = controls.ItemCount(ctl::kEffectBox);
    // Entry 0 and the random entry itself are never drawn: below three entries
    // nothing is left to draw from.
    if (count < 3 || state.EffectIndex != count - 1 || state.RandomEffectCounter != 0) return;
    const int entry = 1 + engine_.Random(count - 3);
    read = LoadEffectLocked(controls.ItemText(ctl::kEffectBox, entry));
    state.RandomEffectCounter = static_cast<int8_t>(kRandomPeriod);
  }
  if (!read) ShowUnreadableFile();
}

void Effects::PlayerStep() {
  std::lock_guard lock(mutex_);
  const std::string* line = player_.Step(engine_.Ui().State(ctl::kSpeedBar));
  if (!line) return;
  for (int channel = 1; channel <= 18; ++channel) {
    const bool on =
        static_cast<std::size_t>(channel) <= line->size() && (*line)[channel - 1] == '1';
    engine_.SetChannel(channel, on ? 1 : 0);
  }
}

void Effects::OnEffectBoxEvent() {
  Controls& controls = engine_.Ui();
  bool read = false;
  {
    // Under the lock, so no step of the old effect lights anything after the
    // channels went off.
    std::lock_guard lock(mutex_);
    const int selected = controls.State(ctl::kEffectBox);
    engine_.State().EffectIndex = static_cast<int8_t>(selected);
    engine_.SetChannel(0, 0);
    // The random entry starts with "None" (in every language) until the first
    // random choice.
    const bool random_entry = selected == controls.ItemCount(ctl::kEffectBox) - 1;
    read =
        LoadEffectLocked(random_entry ? std::string(kNoneEffect) : controls.Text(ctl::kEffectBox));
  }
  if (!read) ShowUnreadableFile();
}

void Effects::LoadEffectFile(const std::string& chosen_path) {
  if (chosen_path.empty()) return;  // the dialog was cancelled
  files_.EffectFileName.Set(FileNamePart(chosen_path));
  Controls& controls = engine_.Ui();
  controls.ClearItems(ctl::kEffectBox);
  FillEffectBox();
  // The second entry is shown, but EffectIndex keeps its value.
  controls.SetState(ctl::kEffectBox, 1);
  LoadEffect(controls.Text(ctl::kEffectBox));
}

void Effects::StartUp() {
  FillEffectBox();
  Controls& controls = engine_.Ui();
  controls.SetState(ctl::kEffectBox, engine_.State().EffectIndex);
  LoadEffect(controls.Text(ctl::kEffectBox));
}

std::vector<std::string> Effects::EffectSteps() const {
  std::lock_guard lock(mutex_);
  return player_.EffectSteps();
}

int Effects::StepCounter() const {
  std::lock_guard lock(mutex_);
  return player_.StepCounter();
}

int Effects::DelayCounter() const {
  std::lock_guard lock(mutex_);
  return player_.DelayCounter();
}

std::string FileNamePart(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace lumiglow
