#pragma once

#include <QString>
#include <QStringList>

class Choices;
class SoundPlayer;

// The program's own voice, for children who cannot read yet: names and
// questions are said by joining short spoken clips, made at build time in
// the folder "voci/<language>" beside the executable ("voci/it"). A
// teacher's own recording with the same name, in the user's data folder
// under "voci/<language>", is said instead. Whether it speaks, and in which
// language, are the program's remembered choices.
class Voice
{
public:
    Voice(SoundPlayer &sound, const Choices &choices);

    // The clip that says a written name: "SETTEMBRE" and "Lunedì" are said by
    // "settembre" and "lunedi".
    static QString clipOf(const QString &word);
    // The file a clip is said from: the teacher's, where there is one.
    QString clipPath(const QString &clip) const;
    // The folder of the teacher's own clips.
    QString ownClipsFolder() const;

    // Says the clips one after another, cutting off a voice still speaking;
    // nothing while the voice is off.
    void say(const QStringList &clips) const;

private:
    SoundPlayer &sound_;
    const Choices &choices_;
};
