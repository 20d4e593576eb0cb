#pragma once

#include "Answer.h"

#include <QStringList>

#include <vector>

class RandomSource;

// One round of the cycle: n places on a ring, the first name of the cycle
// written into a random place, and cards with the other names shown one at
// a time. Card j carries the name that belongs on place j.
class CycleRound
{
public:
    explicit CycleRound(QStringList names);

    int size() const { return int(NomiCiclo_.size()); }
    int roundLength() const { return size() - 1; }

    // Lays out a new round and shows its first card.
    void NuovoEsercizio(RandomSource &random);
    // Shows the next card: the first unmarked one at or after a drawn index.
    void PresentaParola(RandomSource &random);

    Answer judge(int card, int place) const;
    // Writes a rightly dropped card's name into its place and empties the card.
    void place(int card);
    // Counts the placed card and hides it; true when the round is complete.
    bool countPlaced(int card);

    const QStringList &NomiCiclo() const { return NomiCiclo_; }
    int NumSistemati() const { return numSistemati_; }
    int startPlace() const { return startPlace_; }
    // The name that belongs on place i, counting on clockwise from the given one.
    QString nameOf(int place) const { return NomiCiclo_[itemOf(place)]; }
    // Which of the names (0 for the first) belongs on place i, and is on card i.
    int itemOf(int place) const { return (place - startPlace_ + size()) % size(); }
    QString placeText(int i) const { return placeTexts_[i]; }
    QString cardText(int i) const { return cardTexts_[i]; }
    // "" not shown yet, "Fatta" the given name's card, "fatta" shown this round.
    QString cardMark(int i) const { return cardMarks_[i]; }
    bool cardVisible(int i) const { return cardVisible_[std::size_t(i)]; }
    // The card on show, or -1.
    int visibleCard() const;

private:
    QStringList NomiCiclo_;
    QStringList placeTexts_;
    QStringList cardTexts_;
    QStringList cardMarks_;
    std::vector<bool> cardVisible_;
    int startPlace_ = 0;
    int numSistemati_ = 0;
};
