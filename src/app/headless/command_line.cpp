#include "app/headless/command_line.h"

#include <charconv>
#include <climits>

#include "app/headless/input_choice.h"

namespace lumiglow {
namespace {

// Whole decimal numbers only; values beyond int are held at its ends and the
// caller's control clamps them to its range.
std::optional<long long> ParseInteger(const std::string& text) {
  long long value = 0;
  const char* begin = text.data();
  const char* end = text.data() + text.size();
  if (begin != end && *begin == '+') ++begin;
  const auto [ptr, ec] = std::from_chars(begin, end, value);
  if (ptr != end || begin == end) return std::nullopt;
  if (ec == std::errc::result_out_of_range) value = (*begin == '-') ? LLONG_MIN : LLONG_MAX;
  else if (ec != std::errc()) return std::nullopt;
  return value;
}

int ToInt(long long value) {
  return static_cast<int>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
}

}  // namespace

std::string UsageText() {
  return "usage: lumiglow [--show] [--data-dir DIR | --user-data-dir] [--input SOURCE]\n"
         "       lumiglow --headless [--input SOURCE] [--offline] [--cycles N]\n"
         "                [--trace OUT.csv] [--mode 0..5] [--level 0..60] [--agc 1..60]\n"
         "                [--thresholds t1,...,t18] [--invert] [--keyboard]\n"
         "                [--effect N] [--data-dir DIR]\n"
         "       lumiglow --list-inputs\n"
         "SOURCE: default, monitor, pulse:NAME, a sound file, or demo\n";
}

ParseResult ParseCommandLine(const std::vector<std::string>& args) {
  ParseResult result;
  HeadlessOptions& o = result.options;
  bool input_given = false;
  auto fail = [&result](std::string message) {
    result.error = std::move(message);
    return result;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    std::string text;
    if (arg == "--headless") {
      o.headless = true;
    } else if (arg == "--offline") {
      o.offline = true;
    } else if (arg == "--invert") {
      o.invert = true;
    } else if (arg == "--keyboard") {
      o.keyboard = true;
    } else if (arg == "--show") {
      o.show = true;
    } else if (arg == "--user-data-dir") {
      o.user_data_dir = true;
    } else if (arg == "--list-inputs") {
      o.list_inputs = true;
    } else if (arg == "--help" || arg == "-h") {
      o.help = true;
    } else if (arg == "--input" || arg == "--trace" || arg == "--data-dir") {
      if (!value(text) || text.empty()) return fail(arg + " needs a value");
      (arg == "--input" ? o.input : arg == "--trace" ? o.trace_path : o.data_dir) = text;
      if (arg == "--input") input_given = true;
    } else if (arg == "--cycles" || arg == "--mode" || arg == "--level" || arg == "--agc") {
      if (!value(text)) return fail(arg + " needs a number");
      const auto number = ParseInteger(text);
      if (!number) return fail(arg + " value '" + text + "' is not a number");
      if (arg == "--cycles") {
        if (*number < 0) return fail("--cycles value '" + text + "' is negative");
        o.cycles = *number;
      } else {
        (arg == "--mode" ? o.mode : arg == "--level" ? o.level : o.agc) = ToInt(*number);
      }
    } else if (arg == "--effect") {
      if (!value(text)) return fail("--effect needs a number");
      const auto number = ParseInteger(text);
      if (!number) return fail("--effect value '" + text + "' is not a number");
      o.effect = ToInt(*number);
    } else if (arg == "--thresholds") {
      if (!value(text)) return fail("--thresholds needs 18 numbers separated by commas");
      std::array<int, 18> bars{};
      std::size_t count = 0, start = 0;
      for (;;) {
        const std::size_t comma = text.find(',', start);
        const std::string item = text.substr(start, comma - start);
        const auto number = ParseInteger(item);
        if (!number) return fail("--thresholds value '" + item + "' is not a number");
        if (count == bars.size()) return fail("--thresholds takes 18 numbers, got more");
        bars[count++] = ToInt(*number);
        if (comma == std::string::npos) break;
        start = comma + 1;
      }
      if (count != bars.size())
        return fail("--thresholds takes 18 numbers, got " + std::to_string(count));
      o.thresholds = bars;
    } else {
      return fail("unknown option '" + arg + "'");
    }
  }
  // An offline render cannot listen live: without an input it renders the demo.
  if (o.offline && !input_given) o.input = "demo";
  std::string input_error;
  const auto input = ParseInputChoice(o.input, input_error);
  if (!input) return fail(input_error);
  if (o.offline && input->IsLive()) return fail("--offline needs a sound file or demo as --input");
  return result;
}

}  // namespace lumiglow
