// The file-system side of preference files: opening with the three attempts,
// reading the whole content, and replacing the content so that a crash at any
// moment leaves either the old or the new file, never a cut-off one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumiglow {

struct OpenedPrefFile {
  int fd = -1;
  bool read_only = false;
  std::string bytes;  // the whole file
};

// Read-write first, then read-only. A file without any write permission bit
// counts as write-protected even for root. Directories, devices and pipes are
// not preference files: nullopt, as for a missing file.
std::optional<OpenedPrefFile> OpenPrefStorage(const std::string& path);

// Writes `bytes` to a new file beside `path`, flushes it to disk and renames it
// over `path`, keeping the old file's permissions (and owner, where allowed).
// A symbolic link is followed, so the file it names is replaced. When the
// folder takes no new file, `fd` (the open original, or -1) is rewritten in
// place instead. Anything other than a regular file at `path` is left alone.
bool ReplacePrefStorage(const std::string& path, std::string_view bytes, int fd);

}  // namespace lumiglow
