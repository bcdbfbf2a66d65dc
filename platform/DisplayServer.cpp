#include "platform/DisplayServer.h"

#include <QtGlobal>

namespace DisplayServer {

QByteArray preferredPlatform()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return {};
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qEnvironmentVariableIsEmpty("DISPLAY"))
        return {};
    return QByteArrayLiteral("xcb;wayland");
}

} // namespace DisplayServer
