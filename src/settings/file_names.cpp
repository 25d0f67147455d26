#include "settings/file_names.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "controls/cp1251.h"

namespace lumiglow {

std::string FileSystemName(std::string_view name) {
  return Utf8FromCp1251(name);
}

std::vector<std::string> ListFolder(const std::string& folder, std::string_view extension) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return names;
  const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  while (const dirent* entry = readdir(dir)) {
    const std::string fs_name = entry->d_name;
    if (fs_name.size() < extension.size() || !fs_name.ends_with(extension)) continue;
    if (fs_name.find_first_of("\r\n") != std::string::npos) continue;
    struct stat st{};
    if (stat((prefix + fs_name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    std::string name = Cp1251FromUtf8(fs_name);
    if (FileSystemName(name) != fs_name) continue;
    names.push_back(std::move(name));
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace lumiglow
