// The program with its window: the start-up sequence, the handlers of the
// tray, the menu, the window and every control, and the two exit paths.
// Everything here runs on the user-interface thread; the worker thread reads
// and writes the same Controls store and engine state.
#pragma once

#include <QColor>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "app/window/app_actions.h"
#include "app/window/aux_windows.h"
#include "app/window/main_window.h"
#include "app/window/tray_icon.h"
#include "controls/controls.h"
#include "engine/engine.h"
#include "engine/engine_hooks.h"
#include "engine/worker_thread.h"
#include "platform/autostart.h"
#include "settings/current_files.h"
#include "settings/ui_texts.h"

namespace lumiglow {

struct ShellOptions {
  bool show_at_start = false;  // --show: the window appears at start even with a tray
  bool start_worker = true;    // tests drive the engine themselves
  std::string program_folder;  // where the preset and language listings look
};

class AppShell : public WindowListener, public PresetChanger {
 public:
  // The platform dialogs, replaceable for tests. The colour chooser returns an
  // invalid colour when cancelled, the file chooser an empty text.
  using ColourChooser = std::function<QColor()>;
  using FileChooser = std::function<QString(const QString& title, const QString& filter)>;
  // Ends the event loop (QCoreApplication::exit by default).
  using Quit = std::function<void()>;
  // The warning about the missing port library; blocks until dismissed.
  using Warning = std::function<void(const QString& title, const QString& text)>;

  AppShell(AppActions& actions, Autostart& autostart, ShellOptions options);
  ~AppShell() override;

  // Start-up from step 3 on (steps 1 and 2 come before the shell exists).
  // Returns false when the program must end at once (no port library).
  bool StartUp();

  // The tray and its menu.
  void OnTrayLeftPress();
  void OnMenuItem(int item);
  // WindowListener.
  void OnControlEvent(const ControlEvent& event) override;
  void OnMinimised() override;
  void OnMoved() override;
  void OnCloseRequested() override;
  void OnAuxOk(int button);
  void OnUsbPollTick();
  // PresetChanger: the preset hotkey's change, posted from the worker to this thread.
  void PostPresetChange() override;

  void ShowMainWindow();
  void HideMainWindow();

  void SetColourChooser(ColourChooser chooser) { choose_colour_ = std::move(chooser); }
  void SetFileChooser(FileChooser chooser) { choose_file_ = std::move(chooser); }
  void SetQuit(Quit quit) { quit_ = std::move(quit); }
  void SetWarning(Warning warning) { warn_ = std::move(warning); }

  Controls& Ui() { return controls_; }
  Engine& LightEngine() { return engine_; }
  CurrentFiles& Files() { return files_; }
  UiTexts& Texts() { return ui_texts_; }
  AppContext& Context() { return context_; }
  MainWindow* Window() { return window_.get(); }
  TrayIcon* Tray() { return tray_.get(); }
  AuxWindows& Aux() { return aux_; }
  bool ExitRequested() const { return exit_requested_; }
  bool TrayInUse() const { return tray_in_use_; }

 private:
  // The control handlers.
  void OnLanguageChosen();
  void OnKeyboardButton();
  void OnEffectChosen();
  void OnPresetChosen();
  void OnLoadEffectButton();
  void OnCentreButton();
  void SaveChannelColour(int channel);

  // The exit paths and the end of every pass.
  void SaveOnExit();
  void SaveOnClose();
  void EndOfPass();

  void ApplyLanguageFile(const std::string& file_name);
  void SaveThresholdsIfManual();

  AppActions& actions_;
  Autostart& autostart_;
  ShellOptions options_;
  Controls controls_;
  Engine engine_;
  CurrentFiles files_;
  UiTexts ui_texts_;
  AppContext context_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<TrayIcon> tray_;
  AuxWindows aux_;
  QTimer usb_poll_timer_;
  WorkerThread worker_;
  bool exit_requested_ = false;  // ExitRequested
  bool loop_ends_ = false;
  bool all_off_sent_ = false;
  bool tray_in_use_ = false;

  ColourChooser choose_colour_;
  FileChooser choose_file_;
  Quit quit_;
  Warning warn_;
};

}  // namespace lumiglow
