#include "app/window/window_run.h"

#include <QApplication>
#include <QStyleFactory>
#include <cstdio>
#include <memory>

#include "app/window/app_shell.h"
#include "app/window/program_actions.h"
#include "app/window/stop_signals.h"
#include "platform/program_path.h"
#include "platform/single_instance.h"
#include "platform/xdg_autostart.h"

namespace lumiglow {

int RunWindow(int argc, char** argv, const WindowOptions& options, AppActions* actions) {
  ProgramActions program_actions(options.input);
  AppActions& app_actions = actions != nullptr ? *actions : program_actions;

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
  RouteStopSignals(&app, [&shell] { shell.OnCloseRequested(); });
  QApplication::exec();
  return 0;
}

}  // namespace lumiglow
