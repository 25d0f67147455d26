// The handlers of the main window's controls.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/window/app_shell.h"
#include "app/window/qt_text.h"

namespace lumiglow {
namespace {

// "description|pattern|description|pattern" as a Qt file-dialog filter.
QString DialogFilter(const std::string& cp1251) {
  const QStringList parts = QtText(cp1251).split(QLatin1Char('|'));
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    const QString& description = parts[i];
    filters << (description.contains(QLatin1Char('(')) ? description
                                                       : description + " (" + patterns + ")");
  }
  if (filters.isEmpty()) filters << QtText(cp1251);
  return filters.join(QStringLiteral(";;"));
}

// A file in the current directory is kept by its bare name, as every data
// file is opened; one chosen elsewhere keeps its folder, or it could not be
// opened at all.
std::string EffectFileNameFor(const QString& chosen) {
  const QFileInfo file(chosen);
  const bool here = QDir(file.absolutePath()) == QDir(QDir::currentPath());
  return QFile::encodeName(here ? file.fileName() : file.absoluteFilePath()).toStdString();
}

}  // namespace

void AppShell::OnControlEvent(const ControlEvent& event) {
  const int n = event.number;
  if (n >= ctl::kBandIndicator1 && n < ctl::kBandIndicator1 + ctl::kChannelCount &&
      event.right_click) {
    SaveChannelColour(n - (ctl::kBandIndicator1 - 1));
  }
  switch (n) {
    case ctl::kModeBox:
      engine_.EnterLightMode();
      break;
    case ctl::kLanguageBox:
      if (event.selection_changed) OnLanguageChosen();
      break;
    case ctl::kKeyboardButton:
      OnKeyboardButton();
      break;
    case ctl::kEffectBox:
      OnEffectChosen();
      break;
    case ctl::kExpandButton:
      window_->ToggleWidth();
      break;
    case ctl::kBrightBar:
    case ctl::kStepBar:
      engine_.State().ResendCommands = 1;
      break;
    case ctl::kPresetBox:
      OnPresetChosen();
      break;
    case ctl::kAutostartAddButton:
      autostart_.SetAutostart(true, "Lumiglow");
      break;
    case ctl::kAutostartRemoveButton:
      autostart_.SetAutostart(false, "Lumiglow");
      break;
    case ctl::kLoadEffectButton:
      OnLoadEffectButton();
      break;
    case ctl::kCentreButton:
      OnCentreButton();
      break;
    case ctl::kComPortBox:
      actions_.OpenChosenSerialPort(context_);
      break;
    case ctl::kDmxUniverseBox:
    case ctl::kDmxStartBox:
      actions_.ApplyDmxChoice(context_);
      break;
    default:
      break;  // the worker reads the other controls every cycle
  }
  EndOfPass();
}

void AppShell::SaveChannelColour(int channel) {
  const QColor colour = choose_colour_();
  if (!colour.isValid()) return;  // cancelled
  actions_.SaveChannelColour(context_, channel, ColourValue(colour));
}

void AppShell::OnLanguageChosen() {
  files_.LanguageName.Set(controls_.Text(ctl::kLanguageBox));
  actions_.SaveOnLanguageChange(context_, window_->Position());
  // The effect names depend on the language; the loaded effect stays.
  actions_.FillEffectBox(context_);
  controls_.SetState(ctl::kEffectBox, engine_.State().EffectIndex);
  ApplyLanguageFile(files_.LanguageName.Get() + ".lng");
}

void AppShell::OnKeyboardButton() {
  if (controls_.State(ctl::kKeyboardButton) == 1) {
    actions_.RecordLockStates(context_);
  } else {
    actions_.RestoreLockStates(context_);
  }
}

void AppShell::OnEffectChosen() {
  const int index = controls_.State(ctl::kEffectBox);
  engine_.State().EffectIndex = static_cast<int8_t>(index);
  engine_.SetChannel(0, 0);
  // The last entry stands for no effect.
  const bool last = index == controls_.ItemCount(ctl::kEffectBox) - 1;
  actions_.LoadEffect(context_, last ? std::string("None") : controls_.Text(ctl::kEffectBox));
}

void AppShell::OnPresetChosen() {
  const std::string chosen = controls_.Text(ctl::kPresetBox);
  if (chosen == files_.PresetName.Get()) return;
  actions_.SavePreset(context_, files_.PresetName.Get());
  files_.PresetName.Set(chosen);
  actions_.LoadPreset(context_, chosen);
  SharedState& state = engine_.State();
  if (state.LightMode != kModeManual) {
    engine_.ZeroThresholds();
  } else if (ThresholdFile* thresholds = engine_.Hooks().thresholds) {
    thresholds->LoadThresholds();
  }
  engine_.SetChannel(0, 0);
  engine_.ResetBands();
}

void AppShell::OnLoadEffectButton() {
  const QString chosen = choose_file_(QtText(ui_texts_.Get(UiText::kOpenDialogTitle)),
                                      DialogFilter(ui_texts_.Get(UiText::kOpenDialogFilter)));
  if (chosen.isEmpty()) return;
  files_.EffectFileName.Set(EffectFileNameFor(chosen));
  controls_.ClearItems(ctl::kEffectBox);
  actions_.FillEffectBox(context_);
  controls_.SetState(ctl::kEffectBox, 1);  // EffectIndex stays as it was
  actions_.LoadEffect(context_, controls_.Text(ctl::kEffectBox));
}

void AppShell::OnCentreButton() {
  for (int c = 1; c <= ctl::kChannelCount; ++c) controls_.SetState(ctl::ThresholdBar(c), 20);
}

}  // namespace lumiglow
