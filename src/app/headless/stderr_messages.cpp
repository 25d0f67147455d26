#include "app/headless/stderr_messages.h"

#include <cstdio>

#include "controls/cp1251.h"

namespace lumiglow {

std::string StderrMessages::LineFor(const std::string& title, const std::string& text) {
  std::string line = Utf8FromCp1251(title) + " ";
  const std::string body = Utf8FromCp1251(text);
  for (std::size_t i = 0; i < body.size(); ++i) {
    if (body[i] == '\r' && i + 1 < body.size() && body[i + 1] == '\n') {
      line += ' ';
      ++i;
    } else if (body[i] == '\r' || body[i] == '\n') {
      line += ' ';
    } else {
      line += body[i];
    }
  }
  return line;
}

void StderrMessages::ShowMessage(MessageIcon, const std::string& title, const std::string& text) {
  std::fprintf(stderr, "lumiglow: %s\n", LineFor(title, text).c_str());
}

}  // namespace lumiglow
