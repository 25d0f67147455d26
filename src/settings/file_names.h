// The program keeps file names as 8-bit (Windows-1251) text, like every other
// text; the file system's names are UTF-8. These convert at that boundary and
// list a folder's files of one extension.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumiglow {

// The file-system name of an 8-bit name.
std::string FileSystemName(std::string_view name);

// The names (8-bit, extension included) of the regular files in `folder` whose
// names end in `extension`, sorted by byte value so the order is the same on
// every run. Names that cannot be written in 8-bit text, or that hold a line
// break (a settings file could not store them), are left out. A folder that
// cannot be read gives no names.
std::vector<std::string> ListFolder(const std::string& folder, std::string_view extension);

}  // namespace lumiglow
