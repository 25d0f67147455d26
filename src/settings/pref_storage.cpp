#include "settings/pref_storage.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string_view>

namespace lumiglow {
namespace {

bool WriteAll(int fd, std::string_view bytes, off_t offset) {
  while (!bytes.empty()) {
    const ssize_t n = pwrite(fd, bytes.data(), bytes.size(), offset);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
    offset += n;
  }
  return true;
}

bool ReadAll(int fd, std::string& out) {
  struct stat st{};
  if (fstat(fd, &st) == 0 && st.st_size > 0) out.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n == 0) return true;
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    out.append(buffer, static_cast<std::size_t>(n));
  }
}

// Follows symbolic links so the named file is replaced, not the link.
std::string ResolveTarget(const std::string& path) {
  struct stat st{};
  if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char resolved[PATH_MAX];
  if (realpath(path.c_str(), resolved) == nullptr) return path;
  return resolved;
}

// ".setting.dat.lumiglow-k3x9qa.tmp"
constexpr std::string_view kTempInfix = ".lumiglow-";
constexpr std::string_view kTempEnd = ".tmp";
constexpr std::size_t kSuffixLength = 6;
constexpr time_t kStaleSeconds = 60;

std::string RandomSuffix() {
  static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<int> pick(0, sizeof kChars - 2);
  std::string s(kSuffixLength, ' ');
  for (char& c : s) c = kChars[pick(random)];
  return s;
}

// A hidden name that never ends in a listed extension, so a left-over file
// from a crash is not taken for a preset or a language.
int CreateTempBeside(const std::string& target, std::string& temp_path) {
  const std::size_t slash = target.rfind('/');
  const std::string folder =
      slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp_path =
        folder + "." + base + std::string(kTempInfix) + RandomSuffix() + std::string(kTempEnd);
    const int fd = open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Temporary files of this target that a process killed while saving left
// behind. Only old ones go: a young one may belong to a save still under way.
void RemoveStaleTemps(const std::string& target) {
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "./" : target.substr(0, slash + 1);
  const std::string prefix =
      "." + target.substr(slash == std::string::npos ? 0 : slash + 1) + std::string(kTempInfix);
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return;
  const time_t now = time(nullptr);
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name.size() != prefix.size() + kSuffixLength + kTempEnd.size() ||
        !name.starts_with(prefix) || !name.ends_with(kTempEnd))
      continue;
    const std::string path = folder + std::string(name);
    struct stat st{};
    if (lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && now - st.st_mtime > kStaleSeconds)
      unlink(path.c_str());
  }
  closedir(dir);
}

bool RewriteInPlace(int fd, std::string_view bytes) {
  if (fd < 0) return false;
  if (!WriteAll(fd, bytes, 0)) return false;
  if (ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) return false;
  return fsync(fd) == 0;
}

}  // namespace

std::optional<OpenedPrefFile> OpenPrefStorage(const std::string& path) {
  // Non-blocking, so a named pipe cannot hang the open; refused below anyway.
  OpenedPrefFile file;
  file.fd = open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
  if (file.fd < 0) {
    file.fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    file.read_only = true;
  }
  if (file.fd < 0) return std::nullopt;
  struct stat st{};
  if (fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode) || !ReadAll(file.fd, file.bytes)) {
    close(file.fd);
    return std::nullopt;
  }
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) file.read_only = true;
  return file;
}

bool ReplacePrefStorage(const std::string& path, std::string_view bytes, int fd) {
  const std::string target = ResolveTarget(path);
  struct stat old{};
  const bool existed = stat(target.c_str(), &old) == 0;
  if (existed && !S_ISREG(old.st_mode)) return false;
  if (existed && fd < 0) {
    // It appeared after our open failed: write only what a read-write open allows.
    const int probe = open(target.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (probe < 0) return false;
    close(probe);
    if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
  }

  std::string temp_path;
  const int temp = CreateTempBeside(target, temp_path);
  if (temp < 0) {
    // A folder that takes no new file can still hold a writable file.
    return (errno == EACCES || errno == EPERM) && RewriteInPlace(fd, bytes);
  }
  bool ok = WriteAll(temp, bytes, 0);
  if (ok && existed) {
    // Owner first: changing it clears set-id bits that the mode then restores.
    if (fchown(temp, old.st_uid, old.st_gid) != 0) {
      // Not allowed for another user's file; the new file keeps ours.
    }
    ok = fchmod(temp, old.st_mode & 07777) == 0;
  }
  ok = ok && fsync(temp) == 0;
  ok = (close(temp) == 0) && ok;
  ok = ok && rename(temp_path.c_str(), target.c_str()) == 0;
  if (!ok) {
    unlink(temp_path.c_str());
    return false;
  }
  // The folder is not flushed: should the rename be lost in a power cut, the
  // old file is still whole.
  RemoveStaleTemps(target);
  return true;
}

}  // namespace lumiglow
