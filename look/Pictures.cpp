#include "Pictures.h"

#include "SvgIconEngine.h"

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
    return QIcon(new SvgIconEngine(resource));
}

} // namespace Pictures
