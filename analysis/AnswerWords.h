#pragma once

#include "KeptAnswer.h"

#include <QString>
#include <QStringList>

// The words a kept answer is shown in, made from its numbers and keys as
// the child saw them: the names in the language and written form of the
// exercise's cards ("LUGLIO", "JULY", "lunedì", "Lunedì"), a date as ISO
// ("2001-03-05"), and the exercise by its menu caption.
namespace AnswerWords {

// "Riordina i mesi (1)"; a key of no exercise stands for itself.
QString exerciseCaption(const QString &key);
// The keys of the exercises as the menu lists them.
QStringList menuExercises();
// The key of "Usa il calendario".
QString calendarExercise();

QString asked(const KeptAnswer &answer);
QString given(const KeptAnswer &answer);

} // namespace AnswerWords
