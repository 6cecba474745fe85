// The owner window of the dialogs the platform shows.
#pragma once

namespace dm::platform {

// An owner window for dialogs the platform shows; a QWidget* on the Qt backends, nullptr for
// none.
using WindowHandle = void*;

} // namespace dm::platform
