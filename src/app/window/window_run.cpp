#include "app/window/window_run.h"

#include <QApplication>
#include <QStyleFactory>
#include <cstdio>
#include <memory>

#include "app/window/app_shell.h"
#include "platform/audio/clip_source.h"
#include "platform/audio/demo_clip.h"
#include "platform/program_path.h"
#include "platform/single_instance.h"
#include "platform/xdg_autostart.h"

namespace lumiglow {
namespace {

// The steps of the other subsystems until they are wired in: the sound comes
// from the demo clip or a sound file, played in real time.
class StandInActions : public AppActions {
 public:
  explicit StandInActions(std::string input) : input_(std::move(input)) {}

  void StartRecording(AppContext& app) override {
    std::string error;
    std::optional<SoundClip> clip;
    if (input_ == "demo")
      clip = MakeDemoClip();
    else
      clip = LoadSoundClip(input_, error);
    if (!clip) {
      std::fprintf(stderr, "lumiglow: %s\n", error.c_str());
      return;  // the engine hears silence
    }
    source_ = std::make_unique<ClipRecordingSource>(std::move(*clip),
                                                    ClipRecordingSource::Timing::kRealTime);
    source_->StartRecording();
    app.engine.SetRecordingSource(source_.get());
  }

 private:
  std::string input_;
  std::unique_ptr<ClipRecordingSource> source_;
};

}  // namespace

int RunWindow(int argc, char** argv, const WindowOptions& options, AppActions* actions) {
  StandInActions stand_in(options.input);
  AppActions& app_actions = actions != nullptr ? *actions : stand_in;

  // 1.
  app_actions.InitialisePlatform();
  // 2. A second start ends here, silently; a lock that cannot be made does not stop us.
  if (AcquireSingleInstance("Lumiglow") == InstanceGuard::kAnotherRuns) return 0;

  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setApplicationName(QStringLiteral("Lumiglow"));
  QApplication::setDesktopFileName(QStringLiteral("lumiglow"));

  const std::string program = ProgramPath();
  XdgAutostart autostart(program, options.data_dir);
  ShellOptions shell_options;
  shell_options.show_at_start = options.show;
  shell_options.program_folder =
      options.data_dir.empty() ? ProgramFolderOf(program) : options.data_dir + "/";
  AppShell shell(app_actions, autostart, shell_options);
  if (!shell.StartUp()) return 0;  // no port library: the message was shown, nothing saved
  QApplication::exec();
  return 0;
}

}  // namespace lumiglow
