// Any bytes: ParseNumber must end without overflow or out-of-range reads.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "settings/parse_number.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  lumiglow::ParseNumber(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
