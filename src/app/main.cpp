#include <cstdio>
#include <string>
#include <vector>

#include "app/headless/command_line.h"
#include "app/headless/headless_run.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const lumiglow::ParseResult parsed = lumiglow::ParseCommandLine(args);
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "lumiglow: %s\n", parsed.error.c_str());
    return 2;
  }
  if (parsed.options.help) {
    std::fputs(lumiglow::UsageText().c_str(), stdout);
    return 0;
  }
  // The window comes later; until then every start runs headless.
  return lumiglow::RunHeadless(parsed.options);
}
