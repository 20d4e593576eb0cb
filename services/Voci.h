#pragma once

#include <QString>
#include <QStringList>

// The program's own voice, for children who cannot read yet: names and
// questions are said by joining short spoken clips, made at build time in
// the folder "voci/<language>" beside the executable ("voci/it"). A
// teacher's own recording with the same name, in the user's data folder
// under "voci/<language>", is said instead. The voice is one setting for the whole program, kept
// between runs.
namespace Voci {

// Whether the voice is on (it is, until switched off).
bool attiva();
void setAttiva(bool on);

// The clip that says a written name: "SETTEMBRE" and "Lunedì" are said by
// "settembre" and "lunedi".
QString clipOf(const QString &word);
// The file a clip is said from: the teacher's, where there is one.
QString clipPath(const QString &clip);
// The folder of the teacher's own clips.
QString ownClipsFolder();

// Says the clips one after another, cutting off a voice still speaking;
// nothing while the voice is off.
void Parla(const QStringList &clips);

} // namespace Voci
