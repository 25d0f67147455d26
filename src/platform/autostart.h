// Registering the program to start when the user logs on. The registration
// itself is the state: the program neither reads nor shows it, and failures
// are silent.
#pragma once

#include <string>

namespace lumiglow {

class Autostart {
 public:
  virtual ~Autostart() = default;
  // on: register `name` to start the program; off: remove that registration.
  virtual void SetAutostart(bool on, const std::string& name) = 0;
};

}  // namespace lumiglow
