// Small fixtures for the effect tests: a temporary folder, a message recorder,
// a switchable sound source, and an engine wired with the effect stage.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "controls/controls.h"
#include "controls/user_messages.h"
#include "effects/effect_stage.h"
#include "effects/effects.h"
#include "engine/band_table.h"
#include "engine/engine.h"
#include "engine/recording_source.h"
#include "settings/current_files.h"
#include "settings/ui_texts.h"

namespace lumiglow::effects_test {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lumiglow-effects-XXXXXX");
    path_ = mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& Path() const { return path_; }
  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path file = path_ / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
  }

 private:
  std::filesystem::path path_;
};

// Runs in `folder` for as long as it lives.
class ScopedCurrentDir {
 public:
  explicit ScopedCurrentDir(const std::filesystem::path& folder)
      : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~ScopedCurrentDir() { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};

struct Message {
  MessageIcon icon;
  std::string title, text;
};

class RecordingMessages : public UserMessages {
 public:
  void ShowMessage(MessageIcon icon, const std::string& title, const std::string& text) override {
    shown.push_back({icon, title, text});
  }
  std::vector<Message> shown;
};

// Sound while `loud` is set (every magnitude 1), silence otherwise.
class SwitchableSource : public RecordingSource {
 public:
  void StartRecording() override {}
  uint32_t FetchLevel() override { return loud ? 0x40004000u : 0u; }
  bool FetchSpectrum(float* spectrum) override {
    for (int i = 0; i < kSpectrumSize; ++i) spectrum[i] = loud ? 1.0f : 0.0f;
    return true;
  }
  bool loud = false;
};

// The engine with the effect stage in its cycle; no recording source, so every
// cycle is silent unless a test connects one.
struct EffectRig {
  EffectRig() {
    EngineHooks hooks;
    hooks.effect_stage = &stage;
    engine.SetHooks(hooks);
    engine.SeedRandom(7);
  }
  // The 18 channel states as "0"/"1" text, channel 1 first.
  std::string Lamps() const {
    std::string lamps;
    for (int c = 1; c <= 18; ++c) lamps += engine.State().ChannelStates[c] != 0 ? '1' : '0';
    return lamps;
  }
  std::vector<std::string> BoxItems() const {
    std::vector<std::string> items;
    for (int i = 0; i < controls.ItemCount(ctl::kEffectBox); ++i)
      items.push_back(controls.ItemText(ctl::kEffectBox, i));
    return items;
  }
  // The user picks `index` in the effect box.
  void Choose(int index) {
    controls.SetStateFromWidget(ctl::kEffectBox, index);
    effects.OnEffectBoxEvent();
  }

  Controls controls;
  Engine engine{controls};
  CurrentFiles files;
  UiTexts texts;
  RecordingMessages messages;
  Effects effects{engine, files, texts, messages};
  EffectStage stage{effects};
};

}  // namespace lumiglow::effects_test
