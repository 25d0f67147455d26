// Prints the figures of the live sound path: sound-to-light latency, the CPU
// use of a live headless instance beside that of cava on the same source, and
// its resident memory. Needs a Pulse server with a null sink (scripts/bench-capture.sh
// sets one up); the figures are printed, never judged.
//
//   lumiglow_capture_bench [--sink NAME] [--onsets N] [--seconds S]
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/headless/engine_startup.h"
#include "controls/controls.h"
#include "engine/band_analysis.h"
#include "engine/engine.h"
#include "engine/worker_thread.h"
#include "platform/audio/demo_clip.h"
#include "platform/audio/pulse_source.h"
#include "platform/audio/spectrum_analyser.h"
#include "pulse_player.h"

namespace lumiglow::bench {
namespace {

using namespace std::chrono_literals;

constexpr double kRate = 22050.0;

double Ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// Silence of 400 to 600 ms (at random, so onsets fall anywhere in the worker's
// cycle), then 200 ms of white noise: a sharp, broadband onset.
class OnsetSignal : public Signal {
 public:
  void Fill(float* out, std::size_t count, uint64_t first) override {
    std::lock_guard lock(mutex_);
    for (std::size_t i = 0; i < count; ++i) {
      const uint64_t n = first + i;
      if (n >= next_onset_ + kBurst) {
        next_onset_ =
            n + static_cast<uint64_t>(std::uniform_int_distribution<int>(
                    static_cast<int>(0.4 * kRate), static_cast<int>(0.6 * kRate))(random_));
      }
      out[i] = n >= next_onset_ ? noise_(random_) : 0.0f;
      if (n == next_onset_) pending_.push_back(n);
    }
  }
  void Written(uint64_t first, std::size_t count, Clock::time_point when) override {
    std::lock_guard lock(mutex_);
    while (!pending_.empty() && pending_.front() < first + count) {
      onsets_.push_back(when);  // the onset has left the player
      pending_.erase(pending_.begin());
    }
  }
  // Onsets that have left the player so far.
  std::vector<Clock::time_point> Onsets() {
    std::lock_guard lock(mutex_);
    return onsets_;
  }

 private:
  static constexpr uint64_t kBurst = static_cast<uint64_t>(0.2 * kRate);
  std::mutex mutex_;
  std::mt19937 random_{20240611};
  std::uniform_real_distribution<float> noise_{-0.5f, 0.5f};
  uint64_t next_onset_ = static_cast<uint64_t>(0.5 * kRate);
  std::vector<uint64_t> pending_;
  std::vector<Clock::time_point> onsets_;
};

// The built-in demo, looping: music-like sound for the CPU figures.
class DemoSignal : public Signal {
 public:
  DemoSignal() : clip_(MakeDemoClip()) {}
  void Fill(float* out, std::size_t count, uint64_t first) override {
    for (std::size_t i = 0; i < count; ++i)
      out[i] = clip_.samples[(first + i) % clip_.samples.size()];
  }

 private:
  SoundClip clip_;
};

double Percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  const auto rank = static_cast<std::size_t>(std::ceil(p * static_cast<double>(values.size())));
  return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

// How deep the noise onset must reach into the analysis window before the
// spectrum's total passes the silence gate: the part of the latency that the
// window's taper adds, whatever the capture does.
double GateDepthMs() {
  SpectrumAnalyser analyser;
  std::vector<float> window(kWindowSize), spectrum(2049);
  std::mt19937 random(7);
  std::uniform_real_distribution<float> noise(-0.5f, 0.5f);
  for (std::size_t depth = 1; depth < kWindowSize; ++depth) {
    int passed = 0;
    for (int draw = 0; draw < 20; ++draw) {
      std::fill(window.begin(), window.end(), 0.0f);
      for (std::size_t i = kWindowSize - depth; i < kWindowSize; ++i) window[i] = noise(random);
      analyser.Compute(window.data(), spectrum.data());
      BandFrame frame;
      SumBands(spectrum.data(), frame);
      SumTotalAndGroups(frame);
      if (frame.bands[18] > 0.1f) ++passed;
    }
    if (passed >= 10) return static_cast<double>(depth) * 1000.0 / kRate;
  }
  return -1.0;
}

void MeasureLatency(const std::string& sink, int onsets_wanted) {
  OnsetSignal signal;
  constexpr std::chrono::milliseconds kPlayerBuffer{10};
  PulsePlayer player(sink, signal, kPlayerBuffer);
  std::string error;
  if (!player.Start(error)) {
    std::printf("latency: %s\n", error.c_str());
    return;
  }
  PulseRecordingSource source({CaptureTarget::Kind::kNamedSource, sink + ".monitor"},
                              [](const std::string&) {});
  Controls controls;
  Engine engine(controls);
  engine.SetRecordingSource(&source);
  StartValues start;
  start.light_mode = kModeManual;
  start.level = 35;
  start.thresholds.emplace();
  start.thresholds->fill(10);
  PrepareEngine(engine, start);
  source.StartRecording();

  // A second capture of the same monitor, polled every millisecond: when the
  // onset's samples reach the queue, the capture's own share of the latency.
  SampleRing probe_ring(PulseRecordingSource::kQueueSamples);
  PulseCapture probe({CaptureTarget::Kind::kNamedSource, sink + ".monitor"}, probe_ring,
                     [](const std::string&) {});
  probe.Start();
  std::atomic<bool> probing{true};
  std::vector<double> capture_delays;
  std::thread prober([&] {
    std::vector<float> chunk(1024);
    std::size_t quiet = 0, seen = 0;
    while (probing) {
      const std::size_t n = probe_ring.Read(chunk.data(), chunk.size());
      const auto now = Clock::now();
      for (std::size_t i = 0; i < n; ++i) {
        if (std::fabs(chunk[i]) <= 0.01f) {
          ++quiet;
          continue;
        }
        if (quiet > static_cast<std::size_t>(0.3 * kRate)) {
          const auto onsets = signal.Onsets();
          if (onsets.size() > seen && onsets.size() > 3)
            capture_delays.push_back(Ms(now - onsets.back()));
          seen = onsets.size();
        }
        quiet = 0;
      }
      if (n == 0) std::this_thread::sleep_for(1ms);
    }
  });

  std::vector<double> latencies;
  int extra_lightings = 0;
  bool dark = false;
  std::size_t matched = 0;
  const auto give_up = Clock::now() + std::chrono::seconds(onsets_wanted * 2 + 10);
  WorkerThread worker;
  worker.Start(engine, [&] {
    const auto now = Clock::now();
    const auto& lamps = engine.State().ChannelStates;
    const bool lit =
        std::any_of(lamps.begin() + 1, lamps.end(), [](const auto& s) { return s == 1; });
    if (engine.CycleIsSilent()) {
      if (lit) engine.SetChannel(0, 0);  // dark between onsets, as the hold-off would keep it
      dark = true;
    } else if (lit && dark) {
      dark = false;
      const auto onsets = signal.Onsets();
      if (onsets.size() > matched && onsets.back() <= now) {
        if (onsets.size() > matched + 1)
          std::printf("  (%zu onsets unseen)\n", onsets.size() - matched - 1);
        // Skip the first onsets while the null sink settles to the low latency.
        if (onsets.size() > 3) latencies.push_back(Ms(now - onsets.back()));
        matched = onsets.size();
      } else {
        ++extra_lightings;
      }
    }
    return static_cast<int>(latencies.size()) < onsets_wanted && now < give_up;
  });
  worker.Wait();
  probing = false;
  prober.join();
  probe.Stop();
  player.Stop();
  const auto dropped = source.DroppedSamples();

  if (latencies.empty()) {
    std::printf("latency: no onset was seen\n");
    return;
  }
  std::printf(
      "sound-to-light latency over %zu onsets (noise bursts into '%s', manual mode,\n"
      "from the onset leaving the player, whose buffer is %lld ms, to the end of the first\n"
      "cycle that lights a channel):\n",
      latencies.size(), sink.c_str(), static_cast<long long>(kPlayerBuffer.count()));
  std::printf("  median %6.1f ms   (goal <= 35)\n", Percentile(latencies, 0.5));
  std::printf("  95th   %6.1f ms   (goal <= 60)\n", Percentile(latencies, 0.95));
  std::printf("  min %.1f ms, max %.1f ms; lightings without an onset: %d; samples dropped: %llu\n",
              *std::min_element(latencies.begin(), latencies.end()),
              *std::max_element(latencies.begin(), latencies.end()), extra_lightings,
              static_cast<unsigned long long>(dropped));
  if (!capture_delays.empty()) {
    std::printf(
        "  of which the capture path (onset leaving the player to its samples in the\n"
        "  capture queue): median %.1f ms, 95th %.1f ms\n",
        Percentile(capture_delays, 0.5), Percentile(capture_delays, 0.95));
  }
  std::printf(
      "  of which the window's taper: the onset must be %.1f ms deep in the newest\n"
      "  4096 samples before the spectrum passes the silence gate\n",
      GateDepthMs());
}

// user + system time of a whole process (all its threads), or of one of its
// threads, in seconds.
double CpuSeconds(pid_t pid, pid_t thread = 0) {
  std::ifstream in("/proc/" + std::to_string(pid) +
                   (thread ? "/task/" + std::to_string(thread) : std::string()) + "/stat");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::size_t close = text.rfind(')');
  if (close == std::string::npos) return -1.0;
  std::istringstream fields(text.substr(close + 2));
  std::string field;
  unsigned long long utime = 0, stime = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {  // fields 14 and 15 of the line
    if (i == 14) utime = std::stoull(field);
    if (i == 15) stime = std::stoull(field);
  }
  return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// VmRSS or VmHWM in megabytes.
double MemoryMb(pid_t pid, const std::string& key) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind(key + ":", 0) == 0) return std::stod(line.substr(key.size() + 1)) / 1024.0;
  return -1.0;
}

pid_t Spawn(const std::vector<std::string>& argv) {
  std::vector<char*> args;  // made before fork: the child only calls what is safe there
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    const int null_fd = open("/dev/null", O_WRONLY);
    dup2(null_fd, STDOUT_FILENO);
    dup2(null_fd, STDERR_FILENO);
    execvp(args[0], args.data());
    _exit(127);
  }
  return pid;
}

bool Alive(pid_t pid) {
  return waitpid(pid, nullptr, WNOHANG) == 0;
}

void End(pid_t pid) {
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
}

// user + system time per thread name, in seconds.
std::map<std::string, double> CpuSecondsByThread(pid_t pid) {
  std::map<std::string, double> by_name;
  std::error_code ignored;
  for (const auto& task :
       std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", ignored)) {
    std::ifstream comm(task.path() / "comm");
    std::string name;
    std::getline(comm, name);
    by_name[name] += CpuSeconds(pid, std::stoi(task.path().filename().string()));
  }
  return by_name;
}

void MeasureCpu(const std::string& sink, int seconds) {
  DemoSignal demo;
  // A media player's usual buffer: the sink then renders at the pace the capture asks for.
  PulsePlayer player(sink, demo, std::chrono::milliseconds(200));
  std::string error;
  if (!player.Start(error)) {
    std::printf("cpu: %s\n", error.c_str());
    return;
  }
  const std::string monitor = sink + ".monitor";
  const pid_t lumiglow =
      Spawn({LUMIGLOW_BINARY, "--headless", "--input", "pulse:" + monitor, "--mode", "1"});

  pid_t cava = -1;
  const std::string cava_config = "/tmp/lumiglow-bench-cava-" + std::to_string(getpid());
  const bool have_cava = std::system("command -v cava >/dev/null 2>&1") == 0;
  if (have_cava) {
    std::ofstream config(cava_config);
    config << "[general]\nframerate = 20\nbars = 18\n"
           << "[input]\nmethod = pulse\nsource = " << monitor << "\n"
           << "[output]\nmethod = raw\nraw_target = /dev/null\ndata_format = ascii\n";
    config.close();
    cava = Spawn({"cava", "-p", cava_config});
  }

  std::this_thread::sleep_for(3s);  // start-up is not part of the steady figure
  const double lumiglow_before = CpuSeconds(lumiglow);
  const auto threads_before = CpuSecondsByThread(lumiglow);
  const double cava_before = cava > 0 ? CpuSeconds(cava) : 0.0;
  const auto from = Clock::now();
  std::this_thread::sleep_for(std::chrono::seconds(seconds));
  const double wall = std::chrono::duration<double>(Clock::now() - from).count();
  const double lumiglow_cpu = (CpuSeconds(lumiglow) - lumiglow_before) / wall * 100.0;
  const double cava_cpu = cava > 0 ? (CpuSeconds(cava) - cava_before) / wall * 100.0 : 0.0;
  const auto threads_after = CpuSecondsByThread(lumiglow);
  const double rss = MemoryMb(lumiglow, "VmRSS"), peak = MemoryMb(lumiglow, "VmHWM");
  const bool lumiglow_ran = Alive(lumiglow);
  const bool cava_ran = cava > 0 && Alive(cava);
  End(lumiglow);
  if (cava > 0) End(cava);
  std::remove(cava_config.c_str());
  player.Stop();

  std::printf(
      "CPU over %.0f s at 20 cycles per second, user + system time of all threads,\n"
      "while the demo plays into '%s':\n",
      wall, sink.c_str());
  if (!lumiglow_ran) std::printf("  (lumiglow ended early: figures are not valid)\n");
  std::printf("  lumiglow --headless --input pulse:%s  %6.2f %% of one core   (goal < 0.5 %%)\n",
              monitor.c_str(), lumiglow_cpu);
  for (const auto& [name, after] : threads_after) {
    const auto before = threads_before.find(name);
    const double used = after - (before == threads_before.end() ? 0.0 : before->second);
    std::printf("    threads named %-16s %6.2f %%\n", name.c_str(), used / wall * 100.0);
  }
  if (!have_cava) {
    std::printf("  cava: not installed (scripts/bench-capture.sh installs it)\n");
  } else if (!cava_ran) {
    std::printf("  cava ended early: no figure\n");
  } else {
    std::printf("  cava, 20 frames/s, 18 bars, raw output, same source:  %6.2f %% of one core\n",
                cava_cpu);
    if (cava_cpu > 0.0) std::printf("  ratio lumiglow / cava: %.2f\n", lumiglow_cpu / cava_cpu);
  }
  std::printf(
      "resident memory of the live headless instance: %.1f MB (peak %.1f MB)   (goal < 30 MB)\n",
      rss, peak);
}

}  // namespace
}  // namespace lumiglow::bench

int main(int argc, char** argv) {
  std::string sink = "lumiglow_null";
  int onsets = 60, seconds = 30;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--sink")
      sink = argv[i + 1];
    else if (option == "--onsets")
      onsets = std::atoi(argv[i + 1]);
    else if (option == "--seconds")
      seconds = std::atoi(argv[i + 1]);
  }
  lumiglow::bench::MeasureLatency(sink, std::max(onsets, 1));
  lumiglow::bench::MeasureCpu(sink, std::max(seconds, 1));
  return 0;
}
