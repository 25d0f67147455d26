// SIGTERM (a session ending, a service manager) and SIGINT reach the window as
// a close request, so the settings are saved and the lamps switched off as when
// the user closes the window, instead of the process simply dying.
#pragma once

#include <functional>

class QObject;

namespace lumiglow {

// Calls `on_stop` on the user-interface thread for each signal. `owner` keeps
// the notifier alive; call once, after the application exists.
void RouteStopSignals(QObject* owner, std::function<void()> on_stop);

}  // namespace lumiglow
