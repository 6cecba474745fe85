// Whether an X11 or Wayland display server answers a connection within a time limit.
#pragma once

#include <chrono>
#include <string>

namespace dm::platform {

// How long a display server may take to answer the probe.
inline constexpr std::chrono::milliseconds kDisplayProbeTimeout{3000};

// Whether an X server answers for the display name (":0", ":1.0", "unix:0" for the local socket
// under /tmp/.X11-unix or the abstract one of the same name; "host:N" for TCP port 6000 + N):
// the connection is made and the X11 connection set-up answered within timeout. A stopped
// server or a socket that never answers counts as not answering.
bool x11DisplayAnswers(const std::string& display,
                       std::chrono::milliseconds timeout = kDisplayProbeTimeout);

// Whether a Wayland compositor's socket takes a connection: name is a path, or a name inside
// runtimeDir (XDG_RUNTIME_DIR).
bool waylandDisplayAnswers(const std::string& name, const std::string& runtimeDir);

} // namespace dm::platform
