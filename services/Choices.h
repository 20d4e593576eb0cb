#pragma once

#include <QString>

// What the program remembers between runs: the language the names are
// taught in ("it", the default, or "en") and whether its own voice speaks.
// Read once when the program starts; each change is written at once.
class Choices
{
public:
    Choices();

    QString language() const { return language_; }
    void setLanguage(const QString &code);

    bool voiceOn() const { return voiceOn_; }
    void setVoiceOn(bool on);

private:
    QString language_;
    bool voiceOn_ = true;
};
