#include "DisplayCheck.h"

#include <QtGlobal>

#include <dlfcn.h>

namespace DisplayCheck {

namespace {

// Asks libxcb, loaded only now (Qt's X11 support loads it anyway), whether
// the display answers. Unknown when libxcb cannot be found.
bool xDisplayAnswers(const QByteArray &display, bool *known)
{
    using Connect = void *(*)(const char *, int *);
    using HasError = int (*)(void *);
    using Disconnect = void (*)(void *);
    void *library = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_LOCAL);
    *known = false;
    if (!library)
        return true;
    const auto connect = reinterpret_cast<Connect>(dlsym(library, "xcb_connect"));
    const auto hasError = reinterpret_cast<HasError>(dlsym(library, "xcb_connection_has_error"));
    const auto disconnect = reinterpret_cast<Disconnect>(dlsym(library, "xcb_disconnect"));
    bool answers = true;
    if (connect && hasError && disconnect) {
        *known = true;
        void *connection = connect(display.constData(), nullptr);
        answers = hasError(connection) == 0;
        disconnect(connection);
    }
    dlclose(library);
    return answers;
}

} // namespace

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
    bool known = false;
    if (!xDisplayAnswers(display, &known) && known) {
        *problem =
            QStringLiteral("cannot open the display %1").arg(QString::fromLocal8Bit(display));
        return false;
    }
    return true;
}

} // namespace DisplayCheck
