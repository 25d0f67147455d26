// UserMessages for a run without a window: each message is one line on
// standard error, the title first, the text's line breaks turned into blanks.
#pragma once

#include <string>

#include "controls/user_messages.h"

namespace lumiglow {

class StderrMessages : public UserMessages {
 public:
  void ShowMessage(MessageIcon icon, const std::string& title, const std::string& text) override;

  // The line as printed (UTF-8), without its line break.
  static std::string LineFor(const std::string& title, const std::string& text);
};

}  // namespace lumiglow
