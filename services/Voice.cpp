#include "Voice.h"

#include "Accents.h"
#include "Choices.h"
#include "Modulo1.h"
#include "SoundPlayer.h"

#include <QFileInfo>
#include <QStandardPaths>

Voice::Voice(SoundPlayer &sound, const Choices &choices) : sound_(sound), choices_(choices) {}

QString Voice::clipOf(const QString &word)
{
    // Accents go: file names a teacher can type on any keyboard.
    return withoutAccents(word.trimmed().toLower());
}

QString Voice::ownClipsFolder() const
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/voci/") + choices_.language();
}

QString Voice::clipPath(const QString &clip) const
{
    const QString file = QLatin1Char('/') + clip + QStringLiteral(".wav");
    const QString own = ownClipsFolder() + file;
    if (QFileInfo(own).isFile())
        return own;
    return Modulo1::programFolder() + QStringLiteral("/voci/") + choices_.language() + file;
}

void Voice::say(const QStringList &clips) const
{
    if (!choices_.voiceOn() || clips.isEmpty())
        return;
    QStringList paths;
    for (const QString &clip : clips)
        paths << clipPath(clip);
    sound_.speak(paths);
}
