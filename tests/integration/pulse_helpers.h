// What the capture tests need around a real Pulse server: child processes, a
// private server of their own, null sinks to play into and a tone player.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace lumiglow::testing {

using Clock = std::chrono::steady_clock;

// A child process; its standard output goes to /dev/null and its standard
// error to a pipe this side reads line by line. Killed with SIGKILL if still
// running at destruction.
class Subprocess {
 public:
  Subprocess(const std::vector<std::string>& argv,
             const std::map<std::string, std::string>& env = {});
  ~Subprocess();
  Subprocess(const Subprocess&) = delete;
  Subprocess& operator=(const Subprocess&) = delete;

  bool Started() const { return pid_ > 0; }
  void Signal(int signal);
  // The exit code, or nothing if it has not ended within `timeout` (or died of a signal).
  std::optional<int> Wait(std::chrono::milliseconds timeout);
  // The next line of standard error, or nothing when none comes before `deadline`.
  std::optional<std::string> NextErrorLine(Clock::time_point deadline);

 private:
  pid_t pid_ = -1;
  int error_pipe_ = -1;
  std::string pending_;
};

// Runs a command through the shell and returns its standard output, or
// nothing when it fails.
std::optional<std::string> RunCommand(const std::string& command);

// True when `pactl` reaches a server at `server` (the usual one when empty).
bool ServerAnswers(const std::string& server = {});

// A temporary directory, removed with everything in it at destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// A PulseAudio server of the test's own, on a socket in its own directory, with
// the modules given (e.g. "module-null-sink sink_name=out").
class PrivatePulseServer {
 public:
  explicit PrivatePulseServer(std::vector<std::string> modules);
  ~PrivatePulseServer() { Stop(); }

  const std::string& Address() const { return address_; }  // "unix:/…/native"
  // Starts the server and waits until it answers; false if it does not within 5 s.
  bool Start();
  void Stop();
  // pactl against this server.
  std::optional<std::string> Pactl(const std::string& arguments) const;

 private:
  TempDir dir_;
  std::string address_;
  std::vector<std::string> modules_;
  std::optional<Subprocess> process_;
};

// A null sink loaded for the test's lifetime; its monitor hears what is played into it.
class NullSink {
 public:
  NullSink(std::string name, std::string server = {});
  ~NullSink() { Unload(); }
  bool Loaded() const { return module_ >= 0; }
  bool Load();
  void Unload();
  const std::string& Name() const { return name_; }
  std::string Monitor() const { return name_ + ".monitor"; }

 private:
  std::string name_;
  std::string server_;
  int module_ = -1;
};

// A sine tone of `amplitude` (full scale 1) played into `sink` by paplay for
// up to `seconds`, stopped at destruction.
class TonePlayer {
 public:
  TonePlayer(const std::string& sink, double frequency, double amplitude, double seconds = 20,
             const std::string& server = {});
  bool Playing() const { return process_ && process_->Started(); }

 private:
  TempDir dir_;
  std::optional<Subprocess> process_;
};

// Sets an environment variable for its lifetime (before any thread reads it).
class ScopedEnv {
 public:
  ScopedEnv(std::string name, const std::string& value);
  ~ScopedEnv();

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// A name no other test running at the same time uses.
std::string UniqueName(const std::string& stem);

}  // namespace lumiglow::testing
