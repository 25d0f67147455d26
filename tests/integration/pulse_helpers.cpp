#include "pulse_helpers.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sndfile.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <thread>

extern char** environ;

namespace lumiglow::testing {

Subprocess::Subprocess(const std::vector<std::string>& argv,
                       const std::map<std::string, std::string>& env) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return;
  // Everything the child needs is prepared before fork.
  std::vector<std::string> env_text;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    if (!env.count(entry.substr(0, entry.find('=')))) env_text.push_back(entry);
  }
  for (const auto& [key, value] : env) env_text.push_back(key + "=" + value);
  std::vector<char*> envp, args;
  for (auto& e : env_text) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> argv_copy = argv;
  for (auto& a : argv_copy) args.push_back(a.data());
  args.push_back(nullptr);

  pid_ = fork();
  if (pid_ == 0) {
    const int null_fd = open("/dev/null", O_RDWR);
    dup2(null_fd, STDIN_FILENO);
    dup2(null_fd, STDOUT_FILENO);
    dup2(fds[1], STDERR_FILENO);
    execve(args[0], args.data(), envp.data());
    execvpe(args[0], args.data(), envp.data());
    _exit(127);
  }
  close(fds[1]);
  error_pipe_ = fds[0];
}

Subprocess::~Subprocess() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (error_pipe_ >= 0) close(error_pipe_);
}

void Subprocess::Signal(int signal) {
  if (pid_ > 0) kill(pid_, signal);
}

std::optional<int> Subprocess::Wait(std::chrono::milliseconds timeout) {
  if (pid_ <= 0) return std::nullopt;
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    int status = 0;
    const pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      pid_ = -1;
      if (WIFEXITED(status)) return WEXITSTATUS(status);
      return std::nullopt;
    }
    if (Clock::now() > deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

std::optional<std::string> Subprocess::NextErrorLine(Clock::time_point deadline) {
  for (;;) {
    const std::size_t newline = pending_.find('\n');
    if (newline != std::string::npos) {
      std::string line = pending_.substr(0, newline);
      pending_.erase(0, newline + 1);
      return line;
    }
    if (error_pipe_ < 0) return std::nullopt;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return std::nullopt;
    pollfd fd{error_pipe_, POLLIN, 0};
    if (poll(&fd, 1, static_cast<int>(left)) <= 0) continue;
    char buffer[512];
    const ssize_t n = read(error_pipe_, buffer, sizeof buffer);
    if (n <= 0) {
      close(error_pipe_);
      error_pipe_ = -1;
      continue;
    }
    pending_.append(buffer, static_cast<std::size_t>(n));
  }
}

std::optional<std::string> RunCommand(const std::string& command) {
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return std::nullopt;
  std::string output;
  char buffer[512];
  while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
  if (pclose(pipe) != 0) return std::nullopt;
  return output;
}

namespace {
std::string ServerOption(const std::string& server) {
  return server.empty() ? std::string() : " --server='" + server + "'";
}
}  // namespace

bool ServerAnswers(const std::string& server) {
  return RunCommand("pactl" + ServerOption(server) + " info >/dev/null 2>&1").has_value();
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "lumiglow-test-XXXXXX").string();
  if (mkdtemp(pattern.data())) path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

PrivatePulseServer::PrivatePulseServer(std::vector<std::string> modules)
    : address_("unix:" + dir_.Path() + "/native"), modules_(std::move(modules)) {}

bool PrivatePulseServer::Start() {
  std::vector<std::string> argv = {
      "pulseaudio",
      "-n",
      "--daemonize=no",
      "--exit-idle-time=-1",
      "--use-pid-file=no",
      "--disable-shm=yes",
      "--load=module-native-protocol-unix socket=" + dir_.Path() + "/native auth-anonymous=1"};
  for (const auto& module : modules_) argv.push_back("--load=" + module);
  process_.emplace(argv, std::map<std::string, std::string>{{"PULSE_RUNTIME_PATH", dir_.Path()},
                                                            {"PULSE_STATE_PATH", dir_.Path()}});
  const auto deadline = Clock::now() + std::chrono::seconds(5);
  while (Clock::now() < deadline) {
    if (ServerAnswers(address_)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

void PrivatePulseServer::Stop() {
  if (!process_) return;
  process_->Signal(SIGTERM);
  process_->Wait(std::chrono::seconds(5));
  process_.reset();
  std::filesystem::remove(dir_.Path() + "/native");
}

std::optional<std::string> PrivatePulseServer::Pactl(const std::string& arguments) const {
  return RunCommand("pactl" + ServerOption(address_) + " " + arguments + " 2>/dev/null");
}

NullSink::NullSink(std::string name, std::string server)
    : name_(std::move(name)), server_(std::move(server)) {
  Load();
}

bool NullSink::Load() {
  if (module_ >= 0) return true;
  const auto output =
      RunCommand("pactl" + ServerOption(server_) +
                 " load-module module-null-sink sink_name=" + name_ + " 2>/dev/null");
  if (output) module_ = std::atoi(output->c_str());
  return module_ >= 0;
}

void NullSink::Unload() {
  if (module_ < 0) return;
  RunCommand("pactl" + ServerOption(server_) + " unload-module " + std::to_string(module_) +
             " 2>/dev/null");
  module_ = -1;
}

TonePlayer::TonePlayer(const std::string& sink, double frequency, double amplitude, double seconds,
                       const std::string& server) {
  constexpr int kRate = 44100;
  const std::string path = dir_.Path() + "/tone.wav";
  SF_INFO info{};
  info.samplerate = kRate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!file) return;
  std::vector<float> samples(static_cast<std::size_t>(seconds * kRate));
  for (std::size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<float>(
        amplitude * std::sin(2.0 * std::numbers::pi * frequency * static_cast<double>(i) / kRate));
  sf_write_float(file, samples.data(), static_cast<sf_count_t>(samples.size()));
  sf_close(file);
  std::vector<std::string> argv = {"paplay", "--device=" + sink};
  if (!server.empty()) argv.push_back("--server=" + server);
  argv.push_back(path);
  process_.emplace(argv);
}

ScopedEnv::ScopedEnv(std::string name, const std::string& value) : name_(std::move(name)) {
  if (const char* old = std::getenv(name_.c_str())) old_ = old;
  setenv(name_.c_str(), value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
  if (old_)
    setenv(name_.c_str(), old_->c_str(), 1);
  else
    unsetenv(name_.c_str());
}

std::string UniqueName(const std::string& stem) {
  static std::atomic<int> counter{0};
  return stem + "_" + std::to_string(getpid()) + "_" + std::to_string(counter++);
}

}  // namespace lumiglow::testing
