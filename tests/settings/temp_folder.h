// A fresh folder for one test, made the current directory while it lives (the
// settings files are opened by bare name), and removed with everything in it.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace lumiglow::testing {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lumiglow-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    // Write-protected files and folders must not stop the clean-up.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The folder with its trailing '/', as the listings take it.
  std::string Folder() const { return path_.string() + "/"; }

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// The file's bytes, or nothing when it does not exist.
inline std::optional<std::string> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace lumiglow::testing
