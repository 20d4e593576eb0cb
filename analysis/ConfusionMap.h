#pragma once

#include "ConfusedPair.h"
#include "KnownNames.h"

#include <QList>
#include <QString>

#include <array>

// Which name a child put on which name's place, for one set of names: rows
// are the names on the cards that were moved, columns the names whose
// places they went on, so right answers lie on the diagonal. Answers in
// Italian and in English count together; each pair remembers its language
// so that it is said in the names the child saw.
class ConfusionMap
{
public:
    explicit ConfusionMap(KnownNames::Set set = KnownNames::Set::Months);

    KnownNames::Set set() const { return set_; }
    int size() const { return KnownNames::count(set_); }
    // "Mesi", "Giorni della settimana"
    QString title() const;
    // The Italian names of the rows and columns, full or short.
    QString name(int index) const;
    QString abbreviation(int index) const;

    void add(int asked, int given, const QString &language, int times = 1);

    int count(int asked, int given) const;
    int total() const { return total_; }
    int wrong() const { return wrong_; }
    bool isEmpty() const { return total_ == 0; }
    // The largest count off the diagonal: the darkest shade of a heat map.
    int maxWrong() const;
    // Every name put on another's place, the most frequent first; ties in
    // calendar order of the name moved, then of the place.
    QList<ConfusedPair> pairs() const;
    // A cell as a screen reader reads it: "LUGLIO messo al posto di
    // GIUGNO: 4 volte", "GIUGNO al suo posto: 12 volte".
    QString cellDescription(int asked, int given) const;

private:
    static constexpr int languages = 2; // Italian, English
    static constexpr int largest = 12;
    static int languageIndex(const QString &language);

    KnownNames::Set set_;
    std::array<std::array<int, largest * largest>, languages> counts_{};
    int total_ = 0;
    int wrong_ = 0;
};
