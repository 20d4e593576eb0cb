#include "EffectSoundPlayer.h"

#include <QApplication>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

EffectSoundPlayer::EffectSoundPlayer(QObject *parent) : QObject(parent) {}

void EffectSoundPlayer::play(const QString &path)
{
    if (current_)
        current_->stop();
    current_ = nullptr;

    if (!QFileInfo(path).isFile()) {
        QApplication::beep();
        return;
    }
    QSoundEffect *effect = effectFor(path);
    if (effect->status() == QSoundEffect::Error) {
        QApplication::beep();
        return;
    }
    // While the file is still loading, play() is remembered and honoured once it is ready.
    effect->play();
    current_ = effect;
}

void EffectSoundPlayer::preload(const QStringList &paths)
{
    for (const QString &path : paths) {
        if (QFileInfo(path).isFile())
            effectFor(path);
    }
}

QString EffectSoundPlayer::current() const
{
    return current_ ? current_->source().toLocalFile() : QString();
}

QSoundEffect *EffectSoundPlayer::effectFor(const QString &path)
{
    QSoundEffect *&effect = effects_[path];
    if (!effect) {
        effect = new QSoundEffect(this);
        effect->setSource(QUrl::fromLocalFile(path));
    }
    return effect;
}
