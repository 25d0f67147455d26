#include <cstdio>
#include <string>
#include <vector>

#include "app/headless/command_line.h"
#include "app/headless/headless_run.h"
#include "app/headless/list_inputs.h"

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
  if (parsed.options.list_inputs) return lumiglow::ListInputs();
  // The window comes later; until then every start runs headless.
  return lumiglow::RunHeadless(parsed.options);
}
