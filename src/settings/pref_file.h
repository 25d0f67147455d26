// The preference-file operations every settings, preset and language file goes
// through. Each thread has its own current file: open, select a group, read
// and write, close. A modified file is written back on close.
//
// File names are file-system names (see file_names.h for the program's 8-bit
// names); a bare name is opened in the current directory. Within the process
// one file is open in one thread at a time: a second opener waits for the
// first to close, and only after a long wait gets the file read-only (its
// writes are then dropped on close, as for a write-protected file).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lumiglow {

// Closes this thread's current file first. False when the file could not be
// opened (normally: it does not exist); it is then created on close when
// something was written.
bool OpenPrefFile(const std::string& file_name);
// Writes the file back when it was modified and releases it.
void ClosePrefFile();
// Empty name: the global section. False when the group does not exist (reads
// then give their defaults; the first write appends the group) or no file is current.
bool SelectPrefGroup(std::string_view group);
// Texts are 8-bit; values come back with blanks trimmed on both sides.
std::string ReadPrefText(std::string_view key, std::string_view default_text);
// The value's leading decimal integer (0 when it has none); the default only
// when the key is absent.
int32_t ReadPrefDecimal(std::string_view key, int32_t default_value);
void WritePrefText(std::string_view key, std::string_view text);
void WritePrefDecimal(std::string_view key, int32_t value);

}  // namespace lumiglow
