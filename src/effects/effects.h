// The effect operations of both threads: filling EffectBox from the effect
// file, loading an effect's steps, the random choice and the player step of
// the worker cycle, and the user-interface events that pick an effect or
// another effect file.
//
// Threads: FillEffectBox, OnEffectBoxEvent, LoadEffectFile and StartUp run on
// the user-interface thread; ChooseRandomEffect and PlayerStep on the worker;
// LoadEffect on both. One effects lock is held for a whole LoadEffect, a whole
// FillEffectBox, each random choice (reading the box and loading the drawn
// entry) and each player step, so none of them sees the others half done. The
// unreadable-file message is shown after the lock is released, so a message
// box waiting for the user never holds up the worker.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "controls/user_messages.h"
#include "effects/effect_player.h"
#include "settings/current_files.h"
#include "settings/effect_file_hooks.h"
#include "settings/ui_texts.h"

namespace lumiglow {

class Engine;

class Effects : public EffectFileHooks {
 public:
  // The random choice comes every this many cycles.
  static constexpr int kRandomPeriod = 70;
  // Loaded when the random entry is picked, until the first random choice.
  static constexpr const char* kNoneEffect = "None";

  Effects(Engine& engine, CurrentFiles& files, const UiTexts& texts, UserMessages& messages);
  Effects(const Effects&) = delete;
  Effects& operator=(const Effects&) = delete;

  // Lists the effect names of LanguageName in EffectBox. When the file does not
  // open the box keeps what it had.
  void FillEffectBox() override;
  // Replaces the loaded steps by those of the effect `name` (none when it is not
  // in the file); the effect's "speed=" line moves SpeedBar. When the file does
  // not open, the steps stay empty and the user is told.
  void LoadEffect(const std::string& name) override;

  // Worker, every cycle: with the last (random) entry chosen and the counter run
  // out, loads a random entry from 1 .. count - 2. With fewer than three entries
  // there is nothing to draw from and nothing happens.
  void ChooseRandomEffect();
  // Worker: one step of the player; the caller decides whether the player plays.
  void PlayerStep();

  // EffectBox reported an event: take its selection and load that effect.
  void OnEffectBoxEvent();
  // The user chose `chosen_path` in the effect-file dialog (empty: cancelled).
  // Only the file-name part is kept: the file is opened in the current directory.
  void LoadEffectFile(const std::string& chosen_path);
  // The start-up step: fill the box, select EffectIndex, load the selected entry.
  void StartUp();

  // For tests and the trace.
  std::vector<std::string> EffectSteps() const;
  int StepCounter() const;
  int DelayCounter() const;

 private:
  // Returns false when the file could not be read; the caller shows the message.
  bool LoadEffectLocked(const std::string& name);
  void ShowUnreadableFile();

  Engine& engine_;
  CurrentFiles& files_;
  const UiTexts& texts_;
  UserMessages& messages_;

  mutable std::mutex mutex_;  // the effects lock
  EffectPlayer player_;
};

// The file-name part of a path: the text after the last '/' or '\'.
std::string FileNamePart(const std::string& path);

}  // namespace lumiglow
