#include "app/headless/headless_run.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>

#include "app/headless/device_startup.h"
#include "app/headless/headless_effects.h"
#include "app/headless/headless_startup.h"
#include "app/headless/keyboard_startup.h"
#include "app/headless/lamp_line.h"
#include "app/headless/open_input.h"
#include "app/headless/stderr_messages.h"
#include "app/headless/trace_writer.h"
#include "engine/engine.h"
#include "engine/worker_thread.h"

namespace lumiglow {
namespace {

std::atomic<bool> g_stop_requested{false};

void OnStopSignal(int) { g_stop_requested.store(true); }

void InstallStopSignals() {
  struct sigaction action{};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

// Shows the lamps: in place on a terminal, one line per cycle otherwise.
class LampDisplay {
 public:
  LampDisplay() : in_place_(isatty(STDOUT_FILENO) == 1) {}
  ~LampDisplay() {
    if (in_place_ && shown_) std::fputc('\n', stdout);
    std::fflush(stdout);
  }
  void Show(const Engine& engine) {
    const std::string line = LampLine(engine);
    std::fprintf(stdout, in_place_ ? "\r%s\033[K" : "%s\n", line.c_str());
    if (in_place_) std::fflush(stdout);
    shown_ = true;
  }

 private:
  bool in_place_;
  bool shown_ = false;
};

}  // namespace

int RunHeadless(const HeadlessOptions& options) {
  DeviceStartup devices;
  StderrMessages messages;
  if (!devices.RequirePortLibrary(messages)) return 0;

  std::string error;
  OpenedInput input = OpenInput(options.input, options.offline, error);
  RecordingSource* source = input.source.get();
  if (!source) {
    std::fprintf(stderr, "lumiglow: %s\n", error.c_str());
    return 2;
  }
  TraceWriter trace;
  if (!options.trace_path.empty() && !trace.Open(options.trace_path, error)) {
    std::fprintf(stderr, "lumiglow: %s\n", error.c_str());
    return 2;
  }

  Controls controls;
  Engine engine(controls);
  engine.SetRecordingSource(source);
  HeadlessSession session(engine);
  // After the input and trace, whose names are relative to where we started.
  if (!EnterDataFolder(options, session.files, error)) {
    std::fprintf(stderr, "lumiglow: %s\n", error.c_str());
    return 2;
  }
  HeadlessEffects effects(engine, session.files, session.texts);
  session.context.effects = &effects.Operations();
  devices.Prepare(engine);
  // The serial scan runs while the settings file is open, with its RS232 text.
  session.serial_scan = [&devices](const std::string& rs232) { devices.ScanSerialPorts(rs232); };
  // A stop asked for during start-up still leaves through the close path.
  InstallStopSignals();
  RunStartupFileSteps(session, options);
  effects.ConnectStage();
  KeyboardStartup keyboard(engine, options.keyboard ? 1 : controls.State(ctl::kKeyboardButton));
  source->StartRecording();
  devices.SetOutputDelay(session.control_settings.OUT_DELAY);
  devices.SetDmx(session.control_settings.dmx);
  devices.Start(static_cast<uint16_t>(session.early.VID), static_cast<uint16_t>(session.early.PID));

  LampDisplay lamps;
  const long long limit = options.cycles.value_or(-1);
  int64_t cycle = 0;
  if (options.offline) {
    engine.ResetBands();
    ApplyStartupLanguage(session);
    while (!g_stop_requested && cycle != limit) {
      engine.WorkerCycle();
      session.preset_changes.RunPending();
      ++cycle;
      trace.WriteCycle(cycle, cycle * 50, engine);
      lamps.Show(engine);
      if (input.clip && input.clip->Finished()) break;
    }
  } else {
    const auto started = std::chrono::steady_clock::now();
    std::atomic<bool> worker_done{false};
    WorkerThread worker;
    worker.Start(engine, [&] {
      ++cycle;
      const auto t_ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - started)
                            .count();
      trace.WriteCycle(cycle, t_ms, engine);
      lamps.Show(engine);
      const bool more = !g_stop_requested && cycle != limit;
      if (!more) worker_done = true;
      return more;
    });
    engine.ResetBands();
    ApplyStartupLanguage(session);
    // The main thread is the user-interface thread: it runs the preset hotkey's changes.
    while (!worker_done) session.preset_changes.WaitAndRun(std::chrono::milliseconds(50));
    worker.Wait();
  }
  trace.Close();
  // As closing the window: save, put the user's lock states back, then all off.
  LeaveThroughClose(session, cycle > 0);
  keyboard.RestoreOnExit();
  devices.Exit();
  return 0;
}

}  // namespace lumiglow
