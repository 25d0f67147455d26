// Autostart through the freedesktop autostart folder: an entry
// $XDG_CONFIG_HOME/autostart/NAME.desktop (by default under ~/.config) whose
// Exec line is the program's full path, followed by --data-dir DIR when the
// program runs with a data folder.
#pragma once

#include <string>

#include "platform/autostart.h"

namespace lumiglow {

class XdgAutostart : public Autostart {
 public:
  // `program` is the full path of the program file; `data_dir` may be empty.
  XdgAutostart(std::string program, std::string data_dir)
      : program_(std::move(program)), data_dir_(std::move(data_dir)) {}

  void SetAutostart(bool on, const std::string& name) override;

  // The folder the entries go to, or empty when neither XDG_CONFIG_HOME nor HOME is set.
  static std::string AutostartFolder();
  // The whole text of the entry.
  std::string EntryText(const std::string& name) const;

 private:
  std::string program_;
  std::string data_dir_;
};

// One argument of an Exec line, quoted where the desktop-entry rules need it.
std::string QuoteExecArgument(const std::string& argument);

}  // namespace lumiglow
