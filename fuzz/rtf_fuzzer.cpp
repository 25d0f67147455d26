// The RTF reader takes any bytes: help files are user-editable and may be
// anything. Every document must parse and render without a fault, and the
// text it yields must be valid UTF-8.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/rtf_reader.h"

namespace {

bool ValidUtf8(const std::string& s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const int length = c < 0x80         ? 1
                       : (c >> 5) == 6  ? 2
                       : (c >> 4) == 14 ? 3
                       : (c >> 3) == 30 ? 4
                                        : 0;
    if (length == 0 || i + length > s.size()) return false;
    for (int k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const lumiglow::RtfDocument document = lumiglow::ParseRtf(bytes);
  for (const auto& paragraph : document.paragraphs) {
    for (const auto& run : paragraph.runs) {
      if (!ValidUtf8(run.text)) std::abort();
      if (run.format.half_points < 2 || run.format.half_points > 400) std::abort();
    }
  }
  const std::string html = lumiglow::RtfToHtml(document);
  if (!ValidUtf8(html)) std::abort();
  return 0;
}
