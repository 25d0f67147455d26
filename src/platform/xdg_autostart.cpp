#include "platform/xdg_autostart.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace lumiglow {
namespace {

std::string EnvironmentPath(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && value[0] == '/' ? value : "";
}

// Creates `path` and its missing parents (mode 0700 for the new ones).
bool MakeFolders(const std::string& path) {
  for (std::size_t slash = 1; slash != std::string::npos;) {
    slash = path.find('/', slash + 1);
    const std::string part = path.substr(0, slash);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return true;
}

// Writes through a temporary file and a rename, so a crash leaves either the
// old entry or the new one, never half of one.
bool WriteWhole(const std::string& path, const std::string& text) {
  const std::string temporary = path + ".tmp";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  if (std::fclose(file) != 0 || !written || std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace

std::string QuoteExecArgument(const std::string& argument) {
  // '%' starts a field code and must always be doubled.
  std::string escaped;
  bool needs_quotes = argument.empty();
  for (char c : argument) {
    if (c == '%') {
      escaped += "%%";
      continue;
    }
    if (c == '"' || c == '`' || c == '$' || c == '\\') {
      escaped += '\\';
      needs_quotes = true;
    } else if (c == ' ' || c == '\t' || c == '\n' || c == '\'' || c == '>' || c == '<' ||
               c == '~' || c == '|' || c == '&' || c == ';' || c == '*' || c == '?' || c == '#' ||
               c == '(' || c == ')') {
      needs_quotes = true;
    }
    escaped += c;
  }
  if (!needs_quotes) return escaped;
  // Inside quotes a backslash is itself escaped once more by the string rules
  // of the key file.
  std::string quoted = "\"";
  for (char c : escaped) {
    if (c == '\\')
      quoted += "\\\\";
    else if (c == '\n')
      quoted += "\\n";
    else
      quoted += c;
  }
  return quoted + "\"";
}

std::string XdgAutostart::AutostartFolder() {
  std::string config = EnvironmentPath("XDG_CONFIG_HOME");
  if (config.empty()) {
    const std::string home = EnvironmentPath("HOME");
    if (home.empty()) return "";
    config = home + "/.config";
  }
  return config + "/autostart";
}

std::string XdgAutostart::EntryText(const std::string& name) const {
  std::string exec = QuoteExecArgument(program_);
  if (!data_dir_.empty()) exec += " --data-dir " + QuoteExecArgument(data_dir_);
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=" +
         name +
         "\n"
         "Comment=Light organ: the lights follow the music\n"
         "Exec=" +
         exec +
         "\n"
         "Icon=lumiglow\n"
         "Terminal=false\n"
         "X-GNOME-Autostart-enabled=true\n";
}

void XdgAutostart::SetAutostart(bool on, const std::string& name) {
  const std::string folder = AutostartFolder();
  if (folder.empty()) return;
  const std::string path = folder + "/" + name + ".desktop";
  if (!on) {
    std::remove(path.c_str());
    return;
  }
  if (!MakeFolders(folder)) return;
  WriteWhole(path, EntryText(name));
}

}  // namespace lumiglow
