// The user's messages as message boxes. From the user-interface thread the
// call waits until the box is dismissed; from the worker thread the box is
// queued to the user-interface thread and the worker goes on, since a worker
// waiting on the window would stop the lights and could hang the exit.
#pragma once

#include <QObject>

#include "controls/user_messages.h"

namespace lumiglow {

class WindowMessages : public UserMessages {
 public:
  // `owner` lives on the user-interface thread.
  explicit WindowMessages(QObject* owner) : owner_(owner) {}
  void ShowMessage(MessageIcon icon, const std::string& title, const std::string& text) override;

 private:
  QObject* owner_;
};

}  // namespace lumiglow
