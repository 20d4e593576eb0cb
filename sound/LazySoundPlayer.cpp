#include "LazySoundPlayer.h"

#include "SoundModule.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>

LazySoundPlayer::LazySoundPlayer(const QString &modulePath, QObject *parent)
    : QObject(parent), module_(modulePath.isEmpty() ? QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + QDir::separator() +
                                                          QLatin1String(tempioloSoundModule)
                                                    : modulePath)
{
}

bool LazySoundPlayer::load()
{
    if (!tried_) {
        tried_ = true;
        const auto create =
            reinterpret_cast<TempioloCreateSoundPlayer>(module_.resolve(tempioloCreateSoundPlayer));
        if (create)
            real_ = create(this);
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
