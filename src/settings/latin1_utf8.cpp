#include "settings/latin1_utf8.h"

namespace lumiglow {
namespace {

bool IsContinuation(unsigned char b) {
  return (b & 0xC0) == 0x80;
}

}  // namespace

std::string Utf8FromLatin1(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 | (b >> 6));
      out += static_cast<char>(0x80 | (b & 0x3F));
    }
  }
  return out;
}

std::string Latin1FromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  const std::size_t n = utf8.size();
  std::size_t i = 0;
  while (i < n) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      ++i;
    } else if ((b & 0xE0) == 0xC0) {
      if (i + 1 < n && IsContinuation(static_cast<unsigned char>(utf8[i + 1]))) {
        const unsigned code =
            ((b & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
        out += code < 0x100 ? static_cast<char>(code) : '?';
        i += 2;
      } else {
        out += '?';
        ++i;
      }
    } else if ((b & 0xF0) == 0xE0 || (b & 0xF8) == 0xF0) {
      const std::size_t extra = (b & 0xF0) == 0xE0 ? 2 : 3;
      ++i;
      // A cut-off sequence yields nothing; its continuation bytes then count as stray.
      if (n - i < extra) continue;
      out += '?';
      for (std::size_t k = 0; k < extra && IsContinuation(static_cast<unsigned char>(utf8[i])); ++k)
        ++i;
    } else {
      ++i;  // stray continuation byte, or F8..FF
    }
  }
  return out;
}

}  // namespace lumiglow
