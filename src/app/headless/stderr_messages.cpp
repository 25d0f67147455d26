#include "app/headless/stderr_messages.h"

#include <cstdio>
#include <string>

#include "controls/cp1251.h"

namespace lumiglow {

void StderrMessages::ShowMessage(MessageIcon, const std::string& title, const std::string& text) {
  // A message may span lines (the missing-library text does); one line here.
  const std::string utf8 = Utf8FromCp1251(title) + " " + Utf8FromCp1251(text);
  std::string line;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;
    line += (c == '\r' || c == '\n') ? ' ' : c;
  }
  std::fprintf(stderr, "lumiglow: %s\n", line.c_str());
}

}  // namespace lumiglow
