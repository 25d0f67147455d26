// The two messages the user ever sees (the missing parallel-port library at
// start-up, an unreadable effect file). The window shows a message box;
// headless runs print one line on standard error. Texts are Windows-1251.
#pragma once

#include <string>

namespace lumiglow {

enum class MessageIcon { kWarning, kError };

class UserMessages {
 public:
  virtual ~UserMessages() = default;
  // Blocks until the user has dismissed the message (where there is a user).
  virtual void ShowMessage(MessageIcon icon, const std::string& title, const std::string& text) = 0;
};

}  // namespace lumiglow
