#include "Pictures.h"

#include <QCoreApplication>
#include <QHash>

static void initResources()
{
    // The pictures live in a static library; this keeps them linked in.
    static const bool done = [] {
        Q_INIT_RESOURCE(immagini);
        return true;
    }();
    Q_UNUSED(done)
}

namespace Pictures {

static QString resource(const char *name)
{
    initResources();
    return QStringLiteral(":/immagini/") + QLatin1String(name);
}

QString calendarPage()
{
    return resource("calendario.svg");
}

QString smilingFace()
{
    return resource("sorriso.svg");
}

QString arrowRight()
{
    return resource("avanti.svg");
}

QString laughingFace()
{
    return resource("risata.svg");
}

QString sadFace()
{
    return resource("triste.svg");
}

QIcon icon(const QString &resource)
{
    // Qt's own SVG icon engine (libqt6svg6) draws it at every size asked for.
    // One icon a picture: each new icon would add its drawings to Qt's
    // pixmap cache anew, every time a window opens.
    // They go with the application, while the window system is still there.
    static QHash<QString, QIcon> *icons = nullptr;
    if (!icons) {
        icons = new QHash<QString, QIcon>;
        qAddPostRoutine([] {
            delete icons;
            icons = nullptr;
        });
    }
    auto found = icons->find(resource);
    if (found == icons->end())
        found = icons->insert(resource, QIcon(resource));
    return found.value();
}

} // namespace Pictures
