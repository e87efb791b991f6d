#include "platform/display_check.h"

#include <QtGlobal>

namespace platform {

QString MissingDisplay() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        return QStringLiteral("there is no display to open the window on");
    }
#endif
    return {};
}

} // namespace platform
