#include "Voci.h"

#include "Lingua.h"
#include "Modulo1.h"
#include "SoundPlayer.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace Voci {

namespace {

constexpr char settingKey[] = "voce";

QSettings settings()
{
    return QSettings(QStringLiteral("Tempiolo"), QStringLiteral("Tempiolo"));
}

QString madeFolder()
{
    return Modulo1::programFolder() + QStringLiteral("/voci/") + Lingua::corrente();
}

} // namespace

bool attiva()
{
    // Qt keeps the settings file read once in memory, so this costs a tap nothing.
    return settings().value(QLatin1String(settingKey), true).toBool();
}

void setAttiva(bool on)
{
    settings().setValue(QLatin1String(settingKey), on);
}

QString clipOf(const QString &word)
{
    // Accents go: file names a teacher can type on any keyboard.
    QString clip = word.trimmed().toLower().normalized(QString::NormalizationForm_D);
    clip.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return clip;
}

QString ownClipsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/voci/") + Lingua::corrente();
}

QString clipPath(const QString &clip)
{
    const QString own = ownClipsFolder() + QLatin1Char('/') + clip + QStringLiteral(".wav");
    if (QFileInfo(own).isFile())
        return own;
    return madeFolder() + QLatin1Char('/') + clip + QStringLiteral(".wav");
}

void Parla(const QStringList &clips)
{
    if (!attiva() || clips.isEmpty())
        return;
    QStringList paths;
    for (const QString &clip : clips)
        paths << clipPath(clip);
    Modulo1::sound().speak(paths);
}

} // namespace Voci
