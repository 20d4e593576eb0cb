#pragma once

#include <QString>

// The rules for a child's name, as typed by the teacher or read from a list.
namespace ChildName {

constexpr int maxLength = 40;

// Blanks trimmed and collapsed to one, invisible characters dropped; the
// letters stay as typed.
QString tidy(const QString &typed);

// What two names are compared by: "niccolo" and "Niccolò", "D’Amico" and
// "d'amico" are the same child.
QString matchKey(const QString &name);

// Characters as the eye counts them: "ò" is one, however it was typed.
int length(const QString &name);

// Whether there is a letter in it, in any alphabet.
bool hasLetter(const QString &text);

// The file name, without ".wav", of the teacher's own recording of a name:
// the rule of the program's voice ("Niccolò" is "niccolo"). Empty when the
// name cannot be a file name in one folder ("Anna/Maria").
QString clipOf(const QString &name);

} // namespace ChildName
