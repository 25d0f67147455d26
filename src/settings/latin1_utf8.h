// The one conversion a preference file in UTF-8 mode uses in both directions:
// code points U+0000..U+00FF are the 8-bit byte values. Cyrillic text therefore
// does not survive a UTF-8 file (it reads as "?"); plain files carry it as is.
#pragma once

#include <string>
#include <string_view>

namespace lumiglow {

// Bytes 80..FF become two bytes each; 00..7F stay.
std::string Utf8FromLatin1(std::string_view text);

// A two-byte sequence gives its code point when below 0x100 and "?" otherwise;
// a two-byte lead without a continuation gives "?" alone. Three- and four-byte
// sequences give one "?"; when cut off by the end of the value they give
// nothing. Stray continuation bytes and F8..FF give nothing.
std::string Latin1FromUtf8(std::string_view utf8);

}  // namespace lumiglow
