#include "LazySoundPlayer.h"

#include "SoundModule.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>

namespace {

// The folder of the executable, where the module is installed beside it.
QString besideExecutable(const char *fileName)
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + QDir::separator() +
           QLatin1String(fileName);
}

} // namespace

LazySoundPlayer::LazySoundPlayer(const QString &modulePath, QObject *parent)
    : QObject(parent),
      module_(modulePath.isEmpty() ? besideExecutable(tempioloSoundModule) : modulePath)
{
}

bool LazySoundPlayer::load()
{
    if (!tried_) {
        tried_ = true;
        if (auto *module = qobject_cast<SoundModule *>(module_.instance()))
            real_ = module->createPlayer(this);
        else
            qWarning("Tempiolo: modulo dei suoni non caricato: %s",
                     qPrintable(module_.errorString()));
    }
    return real_ != nullptr;
}

void LazySoundPlayer::play(const QString &path)
{
    if (load())
        real_->play(path);
    else
        QApplication::beep();
}

void LazySoundPlayer::preload(const QStringList &paths)
{
    if (load())
        real_->preload(paths);
}

void LazySoundPlayer::speak(const QStringList &clips)
{
    // Without the module there is no voice: a beep would say nothing.
    if (load())
        real_->speak(clips);
}
