#include "settings/pref_file.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <optional>
#include <set>

#include "settings/pref_document.h"
#include "settings/pref_storage.h"

namespace lumiglow {
namespace {

// Long enough for any other operation on a small file, short enough that a
// thread that forgot to close cannot stall the worker for good.
constexpr auto kOpenWait = std::chrono::seconds(2);

class OpenFiles {
 public:
  bool Acquire(const std::string& path) {
    std::unique_lock lock(mutex_);
    if (!released_.wait_for(lock, kOpenWait, [&] { return !held_.contains(path); })) return false;
    held_.insert(path);
    return true;
  }
  void Release(const std::string& path) {
    {
      std::lock_guard lock(mutex_);
      held_.erase(path);
    }
    released_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable released_;
  std::set<std::string> held_;
};

OpenFiles& TheOpenFiles() {
  static OpenFiles files;
  return files;
}

struct CurrentFile {
  std::string path;  // absolute, so a later change of directory does not move it
  int fd = -1;
  bool read_only = false;
  bool modified = false;
  bool holds_path = false;
  PrefDocument document;

  // Releases without writing: a file left open when its thread ends is a
  // programming error, and a surprise write at exit would be worse.
  ~CurrentFile() { Release(); }

  void Release() {
    if (fd >= 0) close(fd);
    fd = -1;
    if (holds_path) TheOpenFiles().Release(path);
    holds_path = false;
  }
};

thread_local std::optional<CurrentFile> t_current;

std::string AbsolutePath(const std::string& name) {
  if (!name.empty() && name.front() == '/') return name;
  char buffer[4096];
  if (getcwd(buffer, sizeof buffer) == nullptr) return name;
  std::string path = buffer;
  if (path.back() != '/') path += '/';
  return path + name;
}

int32_t LeadingDecimal(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Held at the ends of the 32-bit range rather than wrapped.
  int64_t value = 0;
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = std::min<int64_t>(value * 10 + (text[i] - '0'), kLimit);
  if (negative) value = -value;
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

}  // namespace

bool OpenPrefFile(const std::string& file_name) {
  ClosePrefFile();
  CurrentFile& file = t_current.emplace();
  file.path = AbsolutePath(file_name);
  file.holds_path = TheOpenFiles().Acquire(file.path);
  auto opened = OpenPrefStorage(file.path);
  if (!file.holds_path) file.read_only = true;
  if (!opened) return false;
  file.fd = opened->fd;
  file.read_only = file.read_only || opened->read_only;
  file.document = PrefDocument::Parse(opened->bytes);
  return true;
}

void ClosePrefFile() {
  if (!t_current) return;
  CurrentFile& file = *t_current;
  if (file.modified && !file.read_only) {
    ReplacePrefStorage(file.path, file.document.Serialize(), file.fd);
  }
  t_current.reset();
}

bool SelectPrefGroup(std::string_view group) {
  if (!t_current) return false;
  return t_current->document.SelectGroup(group);
}

std::string ReadPrefText(std::string_view key, std::string_view default_text) {
  if (!t_current) return std::string(default_text);
  auto value = t_current->document.ReadText(key);
  return value ? std::move(*value) : std::string(default_text);
}

int32_t ReadPrefDecimal(std::string_view key, int32_t default_value) {
  if (!t_current) return default_value;
  const auto value = t_current->document.ReadText(key);
  return value ? LeadingDecimal(*value) : default_value;
}

void WritePrefText(std::string_view key, std::string_view text) {
  if (!t_current) return;
  t_current->document.WriteText(key, text);
  t_current->modified = true;
}

void WritePrefDecimal(std::string_view key, int32_t value) {
  WritePrefText(key, std::to_string(value));
}

}  // namespace lumiglow
