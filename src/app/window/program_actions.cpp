#include "app/window/program_actions.h"

#include <QCoreApplication>
#include <cstdio>

#include "app/window/window_messages.h"
#include "outputs/keyboard_leds.h"
#include "outputs/serial_link.h"
#include "outputs/usb_link.h"
#include "settings/languages.h"
#include "settings/presets.h"
#include "settings/saving_sequences.h"

namespace lumiglow {

struct ProgramActions::Session {
  explicit Session(AppContext& app)
      : messages(QCoreApplication::instance()),
        effects(app.engine, app.files, app.ui_texts, messages),
        stage(effects),
        thresholds(app.controls, app.engine.State()),
        context{app.engine, app.files, app.ui_texts, tray_menu, thresholds, &effects} {
    EngineHooks hooks = app.engine.Hooks();
    hooks.thresholds = &thresholds;
    hooks.effect_stage = &stage;
    app.engine.SetHooks(hooks);
  }

  WindowMessages messages;
  Effects effects;
  EffectStage stage;
  SettingsThresholdFile thresholds;
  TrayMenuTexts tray_menu = BuiltInTrayMenu();
  SettingsContext context;
  EarlySettings early;
  std::unique_ptr<KeyboardStartup> keyboard;
  OpenedInput input;
  bool devices_started = false;
};

ProgramActions::ProgramActions(std::string input) : input_(std::move(input)) {}

ProgramActions::~ProgramActions() = default;

ProgramActions::Session& ProgramActions::Bind(AppContext& app) {
  if (!session_) session_ = std::make_unique<Session>(app);
  return *session_;
}

EarlySettings ProgramActions::ReadEarlySettings(AppContext& app) {
  Session& s = Bind(app);
  s.early = lumiglow::ReadEarlySettings(app.files);
  return s.early;
}

std::optional<std::string> ProgramActions::LoadPortLibrary(AppContext&) {
  if (devices_.LoadPortLibrary()) return std::nullopt;
  return devices_.PortLibraryFile();
}

void ProgramActions::ReadColours(AppContext& app) { lumiglow::ReadColours(app.engine.Colours()); }

void ProgramActions::ListPresets(AppContext& app) {
  lumiglow::ListPresets(app.files.ProgramFolder, app.files.PresetName.Get(), app.controls);
}

void ProgramActions::ListLanguages(AppContext& app) {
  lumiglow::ListLanguages(app.files.ProgramFolder, app.files.LanguageName.Get(), app.controls);
}

// The preset is the one PresetBox shows, as the shell has just chosen it.
void ProgramActions::LoadPreset(AppContext& app, const std::string&) {
  lumiglow::LoadPreset(Bind(app).context);
}

void ProgramActions::FillEffectBox(AppContext& app) { Bind(app).effects.FillEffectBox(); }

void ProgramActions::LoadEffect(AppContext& app, const std::string& name) {
  Bind(app).effects.LoadEffect(name);
}

void ProgramActions::ReadControlSettings(AppContext& app) {
  Bind(app);
  devices_.Prepare(app.engine);
  // The port scan runs while setting.dat is open, with its RS232 text.
  const ControlSettings read = lumiglow::ReadControlSettings(
      app.controls, [this](const std::string& rs232) { devices_.ScanSerialPorts(rs232); });
  devices_.SetOutputDelay(read.OUT_DELAY);
  dmx_brightness_level_ = read.dmx.brightness_level;
  devices_.SetDmx(read.dmx);
}

void ProgramActions::RecordLockStates(AppContext& app) {
  Session& s = Bind(app);
  if (!s.keyboard) {
    // Start-up: the lamps and hotkeys connect, and the user's states are recorded.
    s.keyboard = std::make_unique<KeyboardStartup>(app.engine, app.controls.State(ctl::kKeyboardButton));
  } else if (KeyboardLeds* leds = s.keyboard->Leds()) {
    leds->OnKeyboardButton(1);
  }
}

void ProgramActions::RestoreLockStates(AppContext& app) {
  Session& s = Bind(app);
  if (s.keyboard && s.keyboard->Leds()) s.keyboard->Leds()->OnKeyboardButton(0);
}

void ProgramActions::RestoreLockStatesOnExit(AppContext& app) {
  Session& s = Bind(app);
  if (s.keyboard) s.keyboard->RestoreOnExit();
}

void ProgramActions::StartRecording(AppContext& app) {
  Session& s = Bind(app);
  std::string error;
  s.input = OpenInput(input_, /*offline=*/false, error);
  if (!s.input.source) {
    // Nothing to listen to: the engine hears silence, as with a failed recording.
    std::fprintf(stderr, "lumiglow: %s\n", error.c_str());
    return;
  }
  app.engine.SetRecordingSource(s.input.source.get());
  s.input.source->StartRecording();
}

void ProgramActions::PollUsbDevice(AppContext& app) {
  Session& s = Bind(app);
  if (!s.devices_started) {
    // The first poll, before the worker starts; the window's timer polls after it.
    devices_.Prepare(app.engine);
    devices_.Start(static_cast<uint16_t>(s.early.VID), static_cast<uint16_t>(s.early.PID),
                   /*poll_thread=*/false);
    s.devices_started = true;
  } else if (UsbLink* usb = devices_.Usb()) {
    usb->PollUsbDevice();
  }
}

TrayMenuTexts ProgramActions::ApplyLanguage(AppContext& app, const std::string& file_name) {
  Session& s = Bind(app);
  lumiglow::ApplyLanguage(file_name, app.controls, app.ui_texts, s.tray_menu);
  return s.tray_menu;
}

void ProgramActions::SaveOnLanguageChange(AppContext& app, WindowPosition position) {
  lumiglow::SaveOnLanguageChange(Bind(app).context, position);
}

// Saves under PresetName, which the shell has not yet moved to the new preset.
void ProgramActions::SavePreset(AppContext& app, const std::string&) {
  lumiglow::SavePreset(Bind(app).context);
}

void ProgramActions::OpenChosenSerialPort(AppContext&) {
  if (SerialLink* serial = devices_.Serial()) serial->OpenChosenSerialPort();
}

void ProgramActions::ApplyDmxChoice(AppContext& app) {
  const DmxSettings dmx = ChosenDmxSettings(app.controls, dmx_brightness_level_);
  lumiglow::SaveDmxSettings(dmx);
  devices_.SetDmx(dmx);
}

void ProgramActions::SaveWindowPosition(AppContext&, WindowPosition position) {
  lumiglow::SaveWindowPosition(position, position.minimised);
}

void ProgramActions::SaveChannelColour(AppContext& app, int channel, int colour) {
  lumiglow::SaveChannelColour(channel, colour, app.engine.Colours());
}

void ProgramActions::SaveOnExitKeys(AppContext& app) { WriteExitKeys(Bind(app).context); }

void ProgramActions::CloseSerialPort(AppContext&) {
  if (SerialLink* serial = devices_.Serial()) serial->CloseOutputPort();
}

void ProgramActions::SaveOnCloseKeys(AppContext& app, WindowPosition position) {
  WriteCloseKeys(Bind(app).context, position, app.controls.Text(ctl::kComPortBox));
}

void ProgramActions::AllOffSequence(AppContext&) { devices_.Exit(); }

void ProgramActions::Release(AppContext&) {
  devices_.Exit();  // nothing more when the exit pass has sent the all-off sequence
  session_.reset();
}

}  // namespace lumiglow
