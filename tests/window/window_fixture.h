// What the window tests share: a temporary working folder (the data files are
// opened by bare name), a recording stand-in for the other subsystems, and
// small helpers to act as the user.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <filesystem>
#include <string>
#include <vector>

#include "app/window/app_actions.h"
#include "app/window/app_shell.h"
#include "app/window/qt_text.h"
#include "controls/cp1251.h"
#include "engine/engine_hooks.h"
#include "platform/autostart.h"

namespace lumiglow::testing {

inline bool HaveX() {
  return QGuiApplication::platformName() == QStringLiteral("xcb");
}

inline QString Utf8(const char* text) {
  return QString::fromUtf8(text);
}

// Runs in a fresh folder and comes back to the old one afterwards.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    old_ = std::filesystem::current_path();
    char pattern[] = "/tmp/lumiglow-window-XXXXXX";
    path_ = mkdtemp(pattern);
    std::filesystem::current_path(path_);
  }
  ~TemporaryFolder() {
    std::filesystem::current_path(old_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::string& Path() const { return path_; }

 private:
  std::filesystem::path old_;
  std::string path_;
};

// Records every call of the other subsystems, in order.
class RecordingActions : public AppActions {
 public:
  std::vector<std::string> calls;
  std::vector<std::string> presets, languages, effects;
  std::optional<std::string> missing_port_library;

  void Clear() { calls.clear(); }
  EarlySettings ReadEarlySettings(AppContext&) override {
    calls.push_back("ReadEarlySettings");
    return early;
  }
  std::optional<std::string> LoadPortLibrary(AppContext&) override {
    calls.push_back("LoadPortLibrary");
    return missing_port_library;
  }
  void ReadColours(AppContext&) override { calls.push_back("ReadColours"); }
  void ListPresets(AppContext& app) override;
  void ListLanguages(AppContext& app) override;
  void LoadPreset(AppContext&, const std::string& name) override {
    calls.push_back("LoadPreset:" + name);
  }
  void FillEffectBox(AppContext& app) override;
  void LoadEffect(AppContext&, const std::string& name) override {
    calls.push_back("LoadEffect:" + name);
  }
  void ReadControlSettings(AppContext&) override { calls.push_back("ReadControlSettings"); }
  void RecordLockStates(AppContext&) override { calls.push_back("RecordLockStates"); }
  void StartRecording(AppContext&) override { calls.push_back("StartRecording"); }
  void PollUsbDevice(AppContext&) override { calls.push_back("PollUsbDevice"); }
  TrayMenuTexts ApplyLanguage(AppContext& app, const std::string& file_name) override {
    calls.push_back("ApplyLanguage:" + file_name);
    return AppActions::ApplyLanguage(app, file_name);
  }
  void SaveOnLanguageChange(AppContext&, WindowPosition) override {
    calls.push_back("SaveOnLanguageChange");
  }
  void RestoreLockStates(AppContext&) override { calls.push_back("RestoreLockStates"); }
  void SavePreset(AppContext&, const std::string& name) override {
    calls.push_back("SavePreset:" + name);
  }
  void OpenChosenSerialPort(AppContext&) override { calls.push_back("OpenChosenSerialPort"); }
  void SaveWindowPosition(AppContext&, WindowPosition) override {
    calls.push_back("SaveWindowPosition");
  }
  void SaveChannelColour(AppContext&, int channel, int colour) override {
    calls.push_back("SaveChannelColour:" + std::to_string(channel) + ":" + std::to_string(colour));
  }
  void SaveOnExitKeys(AppContext&) override { calls.push_back("SaveOnExitKeys"); }
  void CloseSerialPort(AppContext&) override { calls.push_back("CloseSerialPort"); }
  void SaveOnCloseKeys(AppContext&, WindowPosition p) override {
    calls.push_back("SaveOnCloseKeys:" + std::to_string(p.x) + "," + std::to_string(p.y));
  }
  void AllOffSequence(AppContext&) override { calls.push_back("AllOffSequence"); }

  EarlySettings early;
};

class RecordingThresholds : public ThresholdFile {
 public:
  explicit RecordingThresholds(std::vector<std::string>& calls) : calls_(calls) {}
  void LoadThresholds() override { calls_.push_back("LoadThresholds"); }
  void SaveThresholds() override { calls_.push_back("SaveThresholds"); }

 private:
  std::vector<std::string>& calls_;
};

class RecordingAutostart : public Autostart {
 public:
  std::vector<std::string> calls;
  void SetAutostart(bool on, const std::string& name) override {
    calls.push_back((on ? "on:" : "off:") + name);
  }
};

// A started shell without the worker thread (the tests drive the engine).
struct ShellFixture : public ::testing::Test {
  TemporaryFolder folder;
  RecordingActions actions;
  RecordingAutostart autostart;
  std::unique_ptr<AppShell> shell;
  int quits = 0;

  void Start(ShellOptions options = {}) {
    options.start_worker = false;
    shell = std::make_unique<AppShell>(actions, autostart, options);
    shell->SetQuit([this] { ++quits; });
    ASSERT_TRUE(shell->StartUp());
  }
  void TearDown() override { shell.reset(); }

  template <typename T>
  T* Widget(int number) {
    return qobject_cast<T*>(shell->Window()->Control(number));
  }
};

// As the user choosing an item from the list.
inline void ChooseItem(QComboBox* box, int index) {
  box->setCurrentIndex(index);
  emit box->activated(index);
}

}  // namespace lumiglow::testing
