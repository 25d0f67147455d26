// The program file's own full path and folder, from /proc/self/exe.
#pragma once

#include <string>

namespace lumiglow {

// Empty when the link cannot be read.
std::string ProgramPath();
// The folder part with its trailing '/', empty when the path is unknown.
std::string ProgramFolderOf(const std::string& program_path);

}  // namespace lumiglow
