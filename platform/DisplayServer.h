#pragma once

#include <QByteArray>

namespace DisplayServer {

// The Qt platforms to try, for QT_QPA_PLATFORM: X11 first under a Wayland session that
// also offers X11, since Wayland lets no window keep itself on top; Wayland if X11 fails.
// Empty when the user chose a platform or the session offers only one.
QByteArray preferredPlatform();

} // namespace DisplayServer
