#include "CycleRound.h"

#include "RandomSource.h"

namespace {
const QString notShown;
const QString givenMark = QStringLiteral("Fatta");
const QString shownMark = QStringLiteral("fatta");
} // namespace

CycleRound::CycleRound(QStringList names)
    : NomiCiclo_(std::move(names)), placeTexts_(NomiCiclo_.size()), cardTexts_(NomiCiclo_.size()),
      cardMarks_(NomiCiclo_.size()), cardVisible_(std::size_t(NomiCiclo_.size()), false)
{
}

void CycleRound::NuovoEsercizio(RandomSource &random)
{
    const int n = size();
    numSistemati_ = 0;
    for (int j = 0; j < n; ++j) {
        placeTexts_[j].clear();
        cardMarks_[j] = notShown;
        cardVisible_[std::size_t(j)] = false;
    }
    const int k = random.below(n);
    startPlace_ = k;
    placeTexts_[k] = NomiCiclo_[0];
    cardMarks_[k] = givenMark;
    for (int i = 0; i < n; ++i)
        cardTexts_[(k + i) % n] = NomiCiclo_[i];
    PresentaParola(random);
}

void CycleRound::PresentaParola(RandomSource &random)
{
    const int n = size();
    int c = random.below(n);
    // Bounded, so that a call with every card marked cannot hang the program.
    for (int tries = 0; tries < n; ++tries, c = (c + 1) % n) {
        if (cardMarks_[c] == notShown) {
            cardMarks_[c] = shownMark;
            cardVisible_[std::size_t(c)] = true;
            return;
        }
    }
}

Answer CycleRound::judge(int card, int place) const
{
    if (card < 0 || card >= size() || place < 0 || place >= size() || !cardVisible(card))
        return Answer::Ignored;
    return card == place ? Answer::Right : Answer::Wrong;
}

void CycleRound::place(int card)
{
    placeTexts_[card] = cardTexts_[card];
    cardTexts_[card].clear();
}

bool CycleRound::countPlaced(int card)
{
    ++numSistemati_;
    cardVisible_[std::size_t(card)] = false;
    return numSistemati_ >= roundLength();
}

int CycleRound::visibleCard() const
{
    for (int i = 0; i < size(); ++i) {
        if (cardVisible(i))
            return i;
    }
    return -1;
}
