#include "DisplayCheck.h"

#include <QtGlobal>

#ifdef TEMPIOLO_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace DisplayCheck {

bool displayAvailable(QString *problem)
{
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith(QLatin1String("xcb")))
        return true;
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) {
        if (platform.isEmpty() && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            return true;
        *problem = QStringLiteral("no graphical display is available (DISPLAY is not set)");
        return false;
    }
#ifdef TEMPIOLO_HAVE_XCB
    xcb_connection_t *connection = xcb_connect(display.constData(), nullptr);
    const bool ok = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!ok) {
        *problem =
            QStringLiteral("cannot open the display %1").arg(QString::fromLocal8Bit(display));
        return false;
    }
#endif
    return true;
}

} // namespace DisplayCheck
