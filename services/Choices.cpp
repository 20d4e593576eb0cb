#include "Choices.h"

#include <QSettings>

namespace {

constexpr char languageKey[] = "lingua";
constexpr char voiceKey[] = "voce";

QSettings settings()
{
    return QSettings(QStringLiteral("Tempiolo"), QStringLiteral("Tempiolo"));
}

} // namespace

Choices::Choices()
{
    const QSettings stored = settings();
    language_ = stored.value(QLatin1String(languageKey), QStringLiteral("it")).toString();
    voiceOn_ = stored.value(QLatin1String(voiceKey), true).toBool();
}

void Choices::setLanguage(const QString &code)
{
    language_ = code;
    settings().setValue(QLatin1String(languageKey), code);
}

void Choices::setVoiceOn(bool on)
{
    voiceOn_ = on;
    settings().setValue(QLatin1String(voiceKey), on);
}
