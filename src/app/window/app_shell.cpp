#include "app/window/app_shell.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "app/window/built_in_texts.h"
#include "app/window/qt_text.h"

namespace lumiglow {

AppShell::AppShell(AppActions& actions, Autostart& autostart, ShellOptions options)
    : actions_(actions),
      autostart_(autostart),
      options_(std::move(options)),
      engine_(controls_),
      context_{controls_, engine_, files_, ui_texts_},
      aux_([this](int button) { OnAuxOk(button); }, [this] { OnCloseRequested(); }),
      choose_colour_([] { return QColorDialog::getColor(Qt::black); }),
      choose_file_([](const QString& title, const QString& filter) {
        return QFileDialog::getOpenFileName(nullptr, title, QString(), filter);
      }),
      quit_([] { QCoreApplication::exit(0); }),
      warn_([](const QString& title, const QString& text) {
        QMessageBox::warning(nullptr, title, text);
      }) {
  QObject::connect(&usb_poll_timer_, &QTimer::timeout, [this] { OnUsbPollTick(); });
  EngineHooks hooks = engine_.Hooks();
  hooks.presets = this;
  engine_.SetHooks(hooks);
}

void AppShell::PostPresetChange() {
  if (!window_) return;
  QMetaObject::invokeMethod(
      window_.get(),
      [this] {
        OnPresetChosen();
        EndOfPass();
      },
      Qt::QueuedConnection);
}

AppShell::~AppShell() {
  // The worker is never stopped while the program runs; at the very end it
  // stops at a cycle boundary before the window it reports to goes away.
  worker_.Stop();
  actions_.Release(context_);
}

bool AppShell::StartUp() {
  SharedState& state = engine_.State();
  // 3. SerialActive starts at 0 inside the serial link.
  // 4. The shared arrays came zero-filled with the engine, the flags and
  //    counters at 0 and SilenceGate at 0.1.
  // 5. The default display colours are the engine's start colours.
  // 6. No effect lines, EffectFileName "effect.sdu", UiTexts built in.
  // 7. The indicator layout and the 8 x 80 canvas belong to the engine.

  // 8.
  const EarlySettings early = actions_.ReadEarlySettings(context_);

  // 9. Before any language is applied, so the message is always the built-in one.
  if (const auto missing = actions_.LoadPortLibrary(context_)) {
    const std::string text = ui_texts_.Get(UiText::kMissingFileLine1) + "\r\n" +
                             ui_texts_.Get(UiText::kMissingFileLine2) + " " + *missing;
    warn_(QtText(ui_texts_.Get(UiText::kMissingFileTitle)), QtText(text));
    return false;
  }

  // 10.
  window_ = std::make_unique<MainWindow>(controls_, engine_, *this, early.X_form, early.Y_form);
  exit_requested_ = false;

  // 11.
  tray_ = std::make_unique<TrayIcon>([this](int item) { OnMenuItem(item); },
                                     [this] { OnTrayLeftPress(); });
  tray_->Add();
  tray_->RebuildMenu(BuiltInTrayMenuTexts());

  // 12.
  window_->BuildControls(MainWindow::ControlGroup::kBarsAndModeBox);
  // 13.
  actions_.ReadColours(context_);
  // 14.
  window_->BuildControls(MainWindow::ControlGroup::kPanels);
  // 15.
  files_.ProgramFolder = options_.program_folder;
  // 16, 17.
  actions_.ListPresets(context_);
  actions_.ListLanguages(context_);
  // 18. With no selection the name is empty and ".patt" is tried.
  actions_.LoadPreset(context_, controls_.Text(ctl::kPresetBox));
  // 19.
  window_->BuildControls(MainWindow::ControlGroup::kEffectBox);
  actions_.FillEffectBox(context_);
  controls_.SetState(ctl::kEffectBox, state.EffectIndex);
  actions_.LoadEffect(context_, controls_.Text(ctl::kEffectBox));
  // 20.
  window_->BuildControls(MainWindow::ControlGroup::kPinsAndIndicators);
  // 21.
  actions_.ReadControlSettings(context_);
  // 22.
  engine_.ResetBands();
  engine_.SetChannel(0, 0);
  // 23. Modes 1, 4 and 5 keep the thresholds of the settings file.
  const int mode = state.LightMode;
  if (mode == kModeNone || mode == kModeAuto || mode == kModeRandom) engine_.ZeroThresholds();
  state.ThresholdsLoaded = 0;
  // 24.
  actions_.RecordLockStates(context_);
  // 25.
  state.ResendCommands = 1;
  // 26.
  actions_.StartRecording(context_);
  // 27, 28.
  actions_.PollUsbDevice(context_);
  usb_poll_timer_.start(500);
  // 29.
  if (options_.start_worker) worker_.Start(engine_);
  // 30. The window stays hidden: the tray shows it.
  tray_in_use_ = TrayIcon::Available();
  // 31.
  engine_.ResetBands();
  // 32. With no language selected the file is ".lng": the built-in texts stay.
  ApplyLanguageFile(controls_.Text(ctl::kLanguageBox) + ".lng");
  // Without a notification area nothing could ever show the window, so it
  // shows at once; --show asks for the same.
  if (!tray_in_use_ || options_.show_at_start) ShowMainWindow();
  // 33. The event loop is the caller's.
  return true;
}

void AppShell::ApplyLanguageFile(const std::string& file_name) {
  const TrayMenuTexts texts = actions_.ApplyLanguage(context_, file_name);
  if (tray_) tray_->RebuildMenu(texts);
}

void AppShell::ShowMainWindow() {
  if (!window_) return;
  window_->showNormal();
  window_->raise();
  window_->activateWindow();
}

void AppShell::HideMainWindow() {
  if (window_) window_->hide();
}

void AppShell::OnTrayLeftPress() {
  ShowMainWindow();
  EndOfPass();
}

void AppShell::OnMenuItem(int item) {
  const std::string language = controls_.Text(ctl::kLanguageBox);
  switch (item) {
    case TrayIcon::kShowItem:
      ShowMainWindow();
      break;
    case TrayIcon::kHideItem:
      HideMainWindow();
      break;
    case TrayIcon::kHelpItem:
      aux_.ShowTextWindow(AuxWindows::kHelpWindow, ui_texts_.Get(UiText::kHelpTitle),
                          AuxWindows::TextFileName(AuxWindows::kHelpWindow, language));
      break;
    case TrayIcon::kLptSchemeItem:
      aux_.ShowLptSchemeWindow(ui_texts_.Get(UiText::kLptSchemeTitle));
      break;
    case TrayIcon::kHistoryItem:
      aux_.ShowTextWindow(AuxWindows::kHistoryWindow, ui_texts_.Get(UiText::kHistoryTitle),
                          AuxWindows::TextFileName(AuxWindows::kHistoryWindow, language));
      break;
    case TrayIcon::kAboutItem:
      aux_.ShowTextWindow(AuxWindows::kAuthorsWindow, ui_texts_.Get(UiText::kAuthorsTitle),
                          AuxWindows::TextFileName(AuxWindows::kAuthorsWindow, language));
      break;
    case TrayIcon::kExitItem:
      SaveOnExit();
      break;
    default:
      break;
  }
  EndOfPass();
}

void AppShell::OnAuxOk(int button) {
  switch (button) {
    case AuxWindows::kAuthorsOk:
      aux_.CloseWindow(AuxWindows::kAuthorsWindow);
      break;
    case AuxWindows::kHelpOk:
      aux_.CloseWindow(AuxWindows::kHelpWindow);
      break;
    case AuxWindows::kHistoryOk:
      aux_.CloseWindow(AuxWindows::kHistoryWindow);
      break;
    case AuxWindows::kLptSchemeOk:
      aux_.CloseWindow(AuxWindows::kLptSchemeWindow);
      break;
    default:
      break;
  }
  EndOfPass();
}

void AppShell::OnUsbPollTick() {
  actions_.PollUsbDevice(context_);
  EndOfPass();
}

void AppShell::OnMinimised() {
  // With a tray, minimising sends the program there; without one the window
  // goes to the task bar as usual, or it could never come back.
  if (tray_in_use_) {
    QTimer::singleShot(0, window_.get(), [this] {
      window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
      window_->hide();
    });
  }
  EndOfPass();
}

void AppShell::OnMoved() {
  actions_.SaveWindowPosition(context_, window_->Position());
  EndOfPass();
}

void AppShell::OnCloseRequested() {
  if (loop_ends_ || exit_requested_) return;  // the exit path already ran
  SaveOnClose();
  EndOfPass();
}

}  // namespace lumiglow
