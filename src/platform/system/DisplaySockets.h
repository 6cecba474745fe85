#pragma once

#include <string>

namespace dm::platform {

// Whether a local X server answers for the display name (":0", ":1.0", "unix:0"): its socket
// under /tmp/.X11-unix (or the abstract one of the same name) takes a connection. A display on
// another host is not probed and counts as answering.
bool x11DisplayAnswers(const std::string& display);

// Whether a Wayland compositor's socket takes a connection: name is a path, or a name inside
// runtimeDir (XDG_RUNTIME_DIR).
bool waylandDisplayAnswers(const std::string& name, const std::string& runtimeDir);

} // namespace dm::platform
