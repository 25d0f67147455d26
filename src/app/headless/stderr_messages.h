// The user's messages without a window: one line on standard error, in UTF-8.
#pragma once

#include "controls/user_messages.h"

namespace lumiglow {

class StderrMessages : public UserMessages {
 public:
  void ShowMessage(MessageIcon icon, const std::string& title, const std::string& text) override;
};

}  // namespace lumiglow
