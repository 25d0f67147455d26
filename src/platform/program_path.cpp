#include "platform/program_path.h"

#include <unistd.h>

#include <vector>

namespace lumiglow {

std::string ProgramPath() {
  std::vector<char> buffer(4096);
  for (;;) {
    const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return "";
    if (static_cast<std::size_t>(n) < buffer.size()) return std::string(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
}

std::string ProgramFolderOf(const std::string& program_path) {
  const std::size_t slash = program_path.rfind('/');
  return slash == std::string::npos ? "" : program_path.substr(0, slash + 1);
}

}  // namespace lumiglow
