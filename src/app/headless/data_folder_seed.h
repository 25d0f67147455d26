// The user's data folder of an installed program: --user-data-dir names
// $XDG_DATA_HOME/lumiglow, and a data folder that lacks the shipped effect,
// language and help files gets them from the package's share folder.
#pragma once

#include <string>
#include <vector>

namespace lumiglow {

// $XDG_DATA_HOME/lumiglow when that is an absolute path, else
// $HOME/.local/share/lumiglow; empty when neither is known. Either may be null.
std::string UserDataFolder(const char* xdg_data_home, const char* home);

// <prefix>/share/lumiglow for a program file <prefix>/bin/lumiglow.
std::string ShippedFilesFolder(const std::string& program_file);

// Copies effect.sdu, *.lng and *.rtf of `shipped` that `folder` lacks into it
// (creating it); a file already there is never replaced. Nothing happens when
// `shipped` is not a folder. Returns one text per file that could not be copied.
std::vector<std::string> SeedDataFolder(const std::string& folder, const std::string& shipped);

}  // namespace lumiglow
