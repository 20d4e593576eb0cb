#pragma once

#include "Answer.h"

#include <QStringList>

#include <vector>

class RandomSource;

// One round of putting names back in order: a column of names in shuffled
// rows and a column of places, place i waiting for name i.
//
// In the first kind of round every name is dragged, in calendar order from
// the first. In the second kind (givenFirst) the sequence starts at a random
// name that is already written in place 0; name box 0 is hidden and the
// child drags the other n - 1.
class OrderingRound
{
public:
    // `drawnStart`: with the first name given, the sequence starts at a
    // random name; otherwise it is `names` as they are.
    OrderingRound(QStringList names, bool givenFirst, bool drawnStart = true);

    int size() const { return int(names_.size()); }
    bool givenFirst() const { return givenFirst_; }
    // Right drops that complete a round.
    int roundLength() const { return size() - firstToPlace(); }

    // Lays out a new round (everything but the window's colour).
    void NuovoEsercizio(RandomSource &random);

    // Judges name j dropped on place i; Ignored for a name that cannot be dragged.
    Answer judge(int name, int place) const;
    // Moves a rightly dropped name into its place.
    void place(int name);
    // Counts one more placed name; true when that completes the round.
    bool countPlaced();

    const QStringList &Sequenza() const { return sequence_; }
    // Which of the names (0 for the first) belongs on place i, and is on card i.
    int itemOf(int i) const { return int(names_.indexOf(sequence_.value(i))); }
    int NumSistemati() const { return numSistemati_; }
    QString nameText(int i) const { return nameTexts_[i]; }
    bool nameEnabled(int i) const { return nameEnabled_[std::size_t(i)]; }
    bool nameVisible(int i) const { return i >= firstToPlace(); }
    bool draggable(int i) const { return nameVisible(i) && nameEnabled(i); }
    int nameRow(int i) const { return rows_[std::size_t(i)]; }
    QString placeText(int i) const { return placeTexts_[i]; }

private:
    int firstToPlace() const { return givenFirst_ ? 1 : 0; }

    QStringList names_;
    bool givenFirst_;
    bool drawnStart_;
    QStringList sequence_;
    QStringList nameTexts_;
    std::vector<bool> nameEnabled_;
    std::vector<int> rows_;
    QStringList placeTexts_;
    int numSistemati_ = 0;
};
