#pragma once

#include "KnownNames.h"

#include <QString>

// One name put on another's place, and how often: what the teacher reads
// to know what to practise.
struct ConfusedPair
{
    KnownNames::Set set = KnownNames::Set::Months;
    QString language; // "it" or "en": the pair is said in the names the child saw
    int asked = 0;    // the name on the card that was moved
    int given = 0;    // the name whose place it was put on
    int times = 0;

    QString askedName() const { return KnownNames::written(set, asked, language); }
    QString givenName() const { return KnownNames::written(set, given, language); }
    // "LUGLIO messo al posto di GIUGNO: 4 volte"
    QString words() const;
    bool operator==(const ConfusedPair &) const = default;
};

// "1 volta", "4 volte"
QString timesInWords(int times);
