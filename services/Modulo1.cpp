#include "Modulo1.h"

#include "Credits.h"
#include "Dialogs.h"
#include "RandomSource.h"
#include "Services.h"
#include "SoundPlayer.h"
#include "WindowRegistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoopLocker>

#include <chrono>

namespace Modulo1 {

qint16 NumEsatti = 0;
qint16 NumErrati = 0;
bool AttendiAvanti = false;

void Main(const Services &services)
{
    services.random.seed(
        std::uint64_t(std::chrono::system_clock::now().time_since_epoch().count()));
    services.windows.show(Finestra::FormAvvio);
}

QString aboutText()
{
    return QString::fromUtf8(Credits::author) + QStringLiteral("  \r\n") + QStringLiteral(" ") +
           QString(23, QLatin1Char('-')) + QStringLiteral(" \r\n") +
           QString::fromUtf8(Credits::web) + QStringLiteral("\r\n") + QStringLiteral("mail: ") +
           QString::fromUtf8(Credits::mail);
}

void MostraInformazioni(Dialogs &dialogs, QWidget *asking)
{
    dialogs.inform(asking, QStringLiteral("Orivalo"), aboutText());
}

void TornaAlMenu(const Services &services, QWidget *asking)
{
    if (!services.dialogs.ask(asking, QStringLiteral("Orivalo"), Dialogs::Icon::Question,
                              QStringLiteral("Vuoi tornare al menù?")))
        return;

    NumEsatti = 0;
    NumErrati = 0;
    // For a moment no window is open; the program must not take that as its end.
    QEventLoopLocker keepRunning;
    for (Finestra window : playingWindows)
        services.windows.close(window);
    services.windows.show(Finestra::FormMenu);
}

QString programFolder()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

QString soundPath(const QString &fileName)
{
    const QChar separator = QDir::separator();
    return programFolder() + separator + QStringLiteral("suoni") + separator + fileName;
}

QStringList allSoundPaths()
{
    QStringList paths;
    for (int n = 1; n <= 4; ++n)
        paths << soundPath(QStringLiteral("si%1.wav").arg(n));
    paths << soundPath(QStringLiteral("no.wav"));
    return paths;
}

int rightSoundNumber(RandomSource &random)
{
    return random.below(4) + 1;
}

void SuonoEsatto(const Services &services)
{
    const int n = rightSoundNumber(services.random);
    services.sound.play(soundPath(QStringLiteral("si%1.wav").arg(n)));
}

void SuonoErrato(const Services &services)
{
    services.sound.play(soundPath(QStringLiteral("no.wav")));
}

void EndProgram(const Services &services)
{
    services.windows.closeAll();
    if (services.quit)
        services.quit();
}

} // namespace Modulo1
