#include "app/headless/headless_startup.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include "app/headless/engine_startup.h"
#include "settings/languages.h"
#include "settings/pref_number.h"
#include "settings/presets.h"
#include "settings/saving_sequences.h"

namespace lumiglow {
namespace {

std::string WithSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

std::string ProgramFileFolder() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return "./";
  const std::string full(path, static_cast<std::size_t>(n));
  return full.substr(0, full.rfind('/') + 1);
}

bool MakeFolders(const std::string& folder) {
  for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (!part.empty() && mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) return true;
  }
}

}  // namespace

HeadlessSession::HeadlessSession(Engine& e)
    : engine(e),
      thresholds(e.Ui(), e.State()),
      context{e, files, texts, tray_menu, thresholds, nullptr},
      preset_changes([this] { ChangePreset(context); }) {}

bool EnterDataFolder(const HeadlessOptions& options, CurrentFiles& files, std::string& error) {
  if (options.data_dir.empty()) {
    files.ProgramFolder = ProgramFileFolder();
    return true;
  }
  if (!MakeFolders(options.data_dir) || chdir(options.data_dir.c_str()) != 0) {
    error = "cannot use data folder '" + options.data_dir + "': " + std::strerror(errno);
    return false;
  }
  char cwd[PATH_MAX];
  files.ProgramFolder = WithSlash(getcwd(cwd, sizeof cwd) ? cwd : options.data_dir);
  return true;
}

void RunStartupFileSteps(HeadlessSession& session, const HeadlessOptions& options) {
  Engine& engine = session.engine;
  Controls& controls = engine.Ui();
  SharedState& state = engine.State();

  EngineHooks hooks = engine.Hooks();
  hooks.thresholds = &session.thresholds;
  hooks.presets = &session.preset_changes;
  engine.SetHooks(hooks);

  session.early = ReadEarlySettings(session.files);
  ReadColours(engine.Colours());
  ListPresets(session.files.ProgramFolder, session.files.PresetName.Get(), controls);
  ListLanguages(session.files.ProgramFolder, session.files.LanguageName.Get(), controls);
  LoadPreset(session.context);
  if (options.effect) state.EffectIndex = static_cast<int8_t>(std::clamp(*options.effect, 0, 127));

  if (EffectFileHooks* effects = session.context.effects) {
    effects->FillEffectBox();
    controls.SetState(ctl::kEffectBox, state.EffectIndex);
    effects->LoadEffect(controls.Text(ctl::kEffectBox));
  } else {
    controls.SetState(ctl::kEffectBox, state.EffectIndex);
  }

  session.control_settings = ReadControlSettings(controls, session.serial_scan);

  // The command line acts as a preset and the settings file would; the resets
  // of start-up follow.
  StartValues values;
  values.light_mode = options.mode;
  values.level = options.level;
  values.agc = options.agc;
  values.thresholds = options.thresholds;
  values.invert = options.invert;
  PrepareEngine(engine, values);
  // Manual thresholds are reloaded from the file in silent cycles: store the
  // command line's so the reload brings them back.
  if (options.thresholds && state.LightMode == kModeManual) session.thresholds.SaveThresholds();
}

void ApplyStartupLanguage(HeadlessSession& session) {
  Controls& controls = session.engine.Ui();
  ApplyLanguage(controls.Text(ctl::kLanguageBox) + ".lng", controls, session.texts,
                session.tray_menu);
}

void LeaveThroughClose(HeadlessSession& session, bool cycles_run) {
  SharedState& state = session.engine.State();
  Controls& controls = session.engine.Ui();
  state.OutputsSuspended = 1;
  if (!cycles_run) {
    state.MasterLevel = controls.State(ctl::kLevelBar);
    state.AgcPeriod = controls.State(ctl::kAgcBar);
  }
  // With no port scan the box is empty: keep the port as read. The text a
  // missing key reads as names no port, which the scan would have left empty.
  std::string rs232 = session.control_settings.RS232;
  if (controls.ItemCount(ctl::kComPortBox) > 0)
    rs232 = controls.Text(ctl::kComPortBox);
  else if (rs232 == NoText())
    rs232.clear();
  SaveOnClose(session.context, {session.early.X_form, session.early.Y_form}, rs232);
}

}  // namespace lumiglow
