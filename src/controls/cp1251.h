// Conversions between the program's internal text (Windows-1251 bytes, as in
// its files) and UTF-8, used for built-in texts and at the widget boundary.
#pragma once

#include <string>
#include <string_view>

namespace lumiglow {

// Characters with no Windows-1251 code become '?'.
std::string Cp1251FromUtf8(std::string_view utf8);
std::string Utf8FromCp1251(std::string_view cp1251);
// Appends one code point as UTF-8.
void AppendUtf8(std::string& out, char32_t code_point);

}  // namespace lumiglow
