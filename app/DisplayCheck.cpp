#include "DisplayCheck.h"

#include <QApplication>
#include <QList>
#include <QLocale>
#include <QStyleFactory>
#include <QtGlobal>

#include <cstdio>
#include <unistd.h>

namespace DisplayCheck {

namespace {

QtMessageHandler usualHandler = nullptr;
QList<std::pair<QtMsgType, QString>> held;
QByteArray displayName;

// The value Qt takes for its option `name` ("-platform xcb", or with two
// dashes), the last one given, as Qt does; null when it is not given.
QByteArray qtOption(int argc, char **argv, const char *name)
{
    QByteArray value;
    for (int i = 1; i + 1 < argc; ++i) {
        QByteArray argument(argv[i]);
        if (argument.startsWith("--"))
            argument.remove(0, 1);
        if (argument == QByteArray("-") + name)
            value = argv[++i];
    }
    return value;
}

// Qt warns about the display and the platform plugin before it gives up with
// a fatal message; the warnings are held back until it is known which it is.
void openingHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "tempiolo: cannot open the display %s\n", displayName.constData());
        _exit(2);
    }
    held.append({type, message});
}

} // namespace

bool displayAvailable(int argc, char **argv, QString *problem)
{
    // The command line comes before the environment, as for Qt itself.
    QString platform = QString::fromLocal8Bit(qtOption(argc, argv, "platform"));
    if (platform.isEmpty())
        platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith(QLatin1String("xcb")))
        return true;
    displayName = qtOption(argc, argv, "display");
    if (displayName.isEmpty())
        displayName = qgetenv("DISPLAY");
    if (displayName.isEmpty() &&
        (!platform.isEmpty() || qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))) {
        *problem = QStringLiteral("no graphical display is available (DISPLAY is not set)");
        return false;
    }
    return true;
}

void guardOpening()
{
    usualHandler = qInstallMessageHandler(openingHandler);
}

void openingDone()
{
    qInstallMessageHandler(usualHandler);
    for (const auto &[type, message] : std::as_const(held))
        usualHandler(type, QMessageLogContext(), message);
    held.clear();
}

std::unique_ptr<QApplication> openApplication(int &argc, char **argv)
{
    QString problem;
    if (!displayAvailable(argc, argv, &problem)) {
        std::fprintf(stderr, "tempiolo: %s\n", qPrintable(problem));
        return nullptr;
    }
    guardOpening();
    auto app = std::make_unique<QApplication>(argc, argv);
    openingDone();
    // The windows carry no title of their own; window managers show this name.
    QApplication::setApplicationName(QStringLiteral("Tempiolo"));
    QApplication::setDesktopFileName(QStringLiteral("tempiolo"));
    // One look on every desktop, so the designed colours always show.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    return app;
}

} // namespace DisplayCheck
