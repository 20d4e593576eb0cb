#include "AnswerWords.h"

#include "Finestra.h"
#include "Language.h"

namespace {

// An item in the written form the exercise's cards use.
QString word(const KeptAnswer &answer, int number)
{
    if (answer.items == Items::Dates) {
        const QDate date = dateOfNumber(number);
        return date.isValid() ? date.toString(Qt::ISODate) : QString();
    }
    const Language &language = Language::of(answer.language);
    const QStringList &names = answer.items == Items::Months
                                   ? language.monthsUpper
                                   : (answer.exercise == QLatin1String(exerciseKey(Finestra::Form6))
                                          ? language.daysCycle
                                          : language.daysOrdering);
    return names.value(number - 1);
}

} // namespace

namespace AnswerWords {

QString exerciseCaption(const QString &key)
{
    const auto window = exerciseOfKey(key);
    return window ? QString::fromUtf8(shownName(*window)) : key;
}

QStringList menuExercises()
{
    QStringList keys;
    for (const Finestra window : exerciseWindows)
        keys.append(QLatin1String(exerciseKey(window)));
    return keys;
}

QString calendarExercise()
{
    return QLatin1String(exerciseKey(Finestra::Form7));
}

QString asked(const KeptAnswer &answer)
{
    return answer.askedText.isEmpty() ? word(answer, answer.asked) : answer.askedText;
}

QString given(const KeptAnswer &answer)
{
    return answer.givenText.isEmpty() ? word(answer, answer.given) : answer.givenText;
}

} // namespace AnswerWords
