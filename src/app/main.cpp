#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/headless/command_line.h"
#include "app/headless/data_folder_seed.h"
#include "app/headless/headless_run.h"
#include "app/window/window_run.h"
#include "platform/single_instance.h"
#include "platform/x_display.h"

namespace {

// --data-dir: the user's files live there, so the program works from there.
bool EnterDataDir(std::string& dir) {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::absolute(dir, error);
  if (!error) std::filesystem::create_directories(path, error);
  if (!error) std::filesystem::current_path(path, error);
  if (error) {
    std::fprintf(stderr, "lumiglow: cannot use the folder '%s': %s\n", dir.c_str(),
                 error.message().c_str());
    return false;
  }
  dir = path.string();
  return true;
}

}  // namespace
#include "app/headless/list_inputs.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  lumiglow::ParseResult parsed = lumiglow::ParseCommandLine(args);
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "lumiglow: %s\n", parsed.error.c_str());
    return 2;
  }
  lumiglow::HeadlessOptions& options = parsed.options;
  if (options.help) {
    std::fputs(lumiglow::UsageText().c_str(), stdout);
    return 0;
  }
  if (options.list_inputs) return lumiglow::ListInputs();
  if (options.user_data_dir && options.data_dir.empty()) {
    options.data_dir = lumiglow::UserDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    if (options.data_dir.empty()) {
      std::fprintf(stderr, "lumiglow: --user-data-dir needs HOME or XDG_DATA_HOME\n");
      return 2;
    }
  }
  if (!options.data_dir.empty()) {
    // An installed program fills the user's folder with what it ships.
    std::error_code error;
    const std::string program = std::filesystem::read_symlink("/proc/self/exe", error).string();
    for (const std::string& failure :
         lumiglow::SeedDataFolder(options.data_dir, lumiglow::ShippedFilesFolder(program)))
      std::fprintf(stderr, "lumiglow: cannot copy %s\n", failure.c_str());
  }
  if (options.headless) return lumiglow::RunHeadless(options);
  if (!lumiglow::XDisplayReachable()) {
    // Only one copy runs, with or without its window.
    if (lumiglow::AcquireSingleInstance("Lumiglow") == lumiglow::InstanceGuard::kAnotherRuns)
      return 0;
    std::fprintf(stderr, "lumiglow: no X display, running without a window (as --headless)\n");
    return lumiglow::RunHeadless(options);
  }
  // The headless run enters the folder itself, after opening the input and trace.
  if (!options.data_dir.empty() && !EnterDataDir(options.data_dir)) return 2;
  lumiglow::WindowOptions window;
  window.show = options.show;
  window.data_dir = options.data_dir;
  window.input = options.input;
  return lumiglow::RunWindow(argc, argv, window);
}
