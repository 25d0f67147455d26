#include "effects/effect_file_io.h"

#include <cstdio>
#include <memory>

namespace lumiglow {

std::optional<std::string> ReadEffectFile(const std::string& name) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(name.c_str(), "rb"),
                                                       &std::fclose);
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[8192];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, got);
  // A directory opens on Linux but fails on the first read.
  if (std::ferror(file.get())) return std::nullopt;
  return bytes;
}

}  // namespace lumiglow
