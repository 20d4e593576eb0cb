#include "EffectSoundPlayer.h"

#include <QApplication>
#include <QFile>
#include <QSoundEffect>
#include <QtEndian>
#include <QUrl>

namespace {

// Whether a file is a whole WAV: RIFF and WAVE marks, and a data chunk that
// the file holds to its end. Qt Multimedia 6.4 is given nothing else: after
// it has tried an empty or cut-short file, deleting any sound waits forever
// for its loading thread, so the program would hang when it ends.
bool wholeWav(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    const QByteArray head = file.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return false;
    qint64 at = 12;
    while (at + 8 <= size) {
        file.seek(at);
        const QByteArray chunk = file.read(8);
        const auto bytes = reinterpret_cast<const uchar *>(chunk.constData() + 4);
        const qint64 length = qFromLittleEndian<quint32>(bytes);
        if (chunk.startsWith("data"))
            return length > 0 && at + 8 + length <= size;
        at += 8 + length + (length & 1);
    }
    return false;
}

} // namespace

EffectSoundPlayer::EffectSoundPlayer(QObject *parent) : QObject(parent) {}

void EffectSoundPlayer::play(const QString &path)
{
    // An answer's sound is never kept waiting by a voice.
    stopVoice();
    if (current_)
        current_->stop();
    current_ = nullptr;

    // A file already made ready was found whole then; others are read first.
    if (!effects_.contains(path) && !wholeWav(path)) {
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
    QString first;
    for (const QString &path : paths) {
        if (wholeWav(path)) {
            effectFor(path);
            if (first.isEmpty())
                first = path;
        }
    }
    // The very first sound of a run opens the output, which takes up to a
    // second: done now, without a sound, so the first name is heard at once.
    if (!first.isEmpty() && !warmUp_) {
        warmUp_ = new QSoundEffect(this);
        warmUp_->setVolume(0);
        warmUp_->setSource(QUrl::fromLocalFile(first));
        warmUp_->play();
    }
}

void EffectSoundPlayer::speak(const QStringList &clips)
{
    stopVoice();
    // Each clip loads the first time it is said; the later ones of a voice
    // load while the first is heard, so the joins stay short.
    for (const QString &clip : clips) {
        if (!effects_.contains(clip) && wholeWav(clip))
            effectFor(clip);
    }
    voice_ = clips;
    nextClip();
}

void EffectSoundPlayer::stopVoice()
{
    voice_.clear();
    if (QSoundEffect *clip = clip_) {
        clip_ = nullptr;
        clip->stop();
    }
}

void EffectSoundPlayer::nextClip()
{
    if (clip_ || (current_ && current_->isPlaying()))
        return;
    while (!voice_.isEmpty()) {
        const QString path = voice_.takeFirst();
        QSoundEffect *clip = effects_.contains(path) || wholeWav(path) ? effectFor(path) : nullptr;
        if (!clip || clip->status() == QSoundEffect::Error) {
            warnOnce(path);
            continue;
        }
        clip_ = clip;
        clipStarted_ = false;
        clip->play();
        return;
    }
}

void EffectSoundPlayer::clipChanged(QSoundEffect *effect)
{
    if (effect == clip_) {
        // A clip still loading has not started yet; one that ended or failed
        // gives way to the next.
        if (effect->isPlaying()) {
            clipStarted_ = true;
            return;
        }
        const bool failed = effect->status() == QSoundEffect::Error;
        if (!clipStarted_ && !failed)
            return;
        if (failed)
            warnOnce(effect->source().toLocalFile());
        clip_ = nullptr;
        nextClip();
    } else if (effect == current_ && !effect->isPlaying()) {
        // The sound has ended: a voice that waited for it speaks.
        nextClip();
    }
}

void EffectSoundPlayer::warnOnce(const QString &path)
{
    if (!warned_.contains(path)) {
        warned_.insert(path);
        qWarning("tempiolo: cannot say %s", qPrintable(path));
    }
}

QString EffectSoundPlayer::speaking() const
{
    if (clip_)
        return clip_->source().toLocalFile();
    return voice_.value(0);
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
        QSoundEffect *made = effect;
        connect(made, &QSoundEffect::playingChanged, this, [this, made] { clipChanged(made); });
        connect(made, &QSoundEffect::statusChanged, this, [this, made] { clipChanged(made); });
        effect->setSource(QUrl::fromLocalFile(path));
    }
    return effect;
}
