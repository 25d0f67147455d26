// Reading an effect file whole. The file is small and read at once, so a load
// never leaves it open.
#pragma once

#include <optional>
#include <string>

namespace lumiglow {

// The bytes of the file `name` (a bare name opens in the current directory);
// nothing when it cannot be opened or read to its end.
std::optional<std::string> ReadEffectFile(const std::string& name);

}  // namespace lumiglow
