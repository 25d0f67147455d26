#include "app/headless/data_folder_seed.h"

#include <filesystem>
#include <system_error>

namespace lumiglow {
namespace {

namespace fs = std::filesystem;

bool IsShippedFile(const fs::path& file) {
  const std::string ext = file.extension().string();
  return file.filename() == "effect.sdu" || ext == ".lng" || ext == ".rtf";
}

}  // namespace

std::string UserDataFolder(const char* xdg_data_home, const char* home) {
  // The XDG rules ignore a relative XDG_DATA_HOME.
  if (xdg_data_home && xdg_data_home[0] == '/') return std::string(xdg_data_home) + "/lumiglow";
  if (home && home[0] != '\0') return std::string(home) + "/.local/share/lumiglow";
  return {};
}

std::string ShippedFilesFolder(const std::string& program_file) {
  const fs::path bin = fs::path(program_file).parent_path();
  return (bin.parent_path() / "share" / "lumiglow").string();
}

std::vector<std::string> SeedDataFolder(const std::string& folder, const std::string& shipped) {
  std::vector<std::string> failures;
  std::error_code error;
  if (!fs::is_directory(shipped, error)) return failures;
  fs::create_directories(folder, error);
  for (const fs::directory_entry& entry : fs::directory_iterator(shipped, error)) {
    if (!entry.is_regular_file(error) || !IsShippedFile(entry.path())) continue;
    const fs::path target = fs::path(folder) / entry.path().filename();
    // skip_existing: the user's own copy, edited or not, stays.
    fs::copy_file(entry.path(), target, fs::copy_options::skip_existing, error);
    if (error) failures.push_back(target.string() + ": " + error.message());
  }
  return failures;
}

}  // namespace lumiglow
