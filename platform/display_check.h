#pragma once

#include <QString>

namespace platform {

// Why windows cannot open here, or an empty text when they can: on X11 and Wayland
// hosts a display must be named unless another platform plugin is chosen.
QString MissingDisplay();

} // namespace platform
