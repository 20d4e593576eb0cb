#include "OrderingRound.h"

#include "OrderingRules.h"

OrderingRound::OrderingRound(QStringList names, bool givenFirst, bool drawnStart)
    : names_(std::move(names)), givenFirst_(givenFirst), drawnStart_(drawnStart), sequence_(names_),
      nameTexts_(names_), nameEnabled_(std::size_t(names_.size()), true),
      rows_(std::size_t(names_.size()), 0), placeTexts_(names_.size())
{
    for (int i = 0; i < size(); ++i)
        rows_[std::size_t(i)] = i;
}

void OrderingRound::NuovoEsercizio(RandomSource &random)
{
    numSistemati_ = 0;
    if (givenFirst_ && drawnStart_)
        sequence_ = OrderingRules::CaricaMesi(names_, random);
    for (int i = firstToPlace(); i < size(); ++i) {
        nameTexts_[i] = sequence_[i];
        nameEnabled_[std::size_t(i)] = true;
        placeTexts_[i].clear();
    }
    if (givenFirst_)
        placeTexts_[0] = sequence_[0];
    rows_ = OrderingRules::ScombiccheraPosti(size(), random);
}

Answer OrderingRound::judge(int name, int place) const
{
    if (name < 0 || name >= size() || place < 0 || place >= size() || !draggable(name))
        return Answer::Ignored;
    return name == place ? Answer::Right : Answer::Wrong;
}

void OrderingRound::place(int name)
{
    placeTexts_[name] = nameTexts_[name];
    nameTexts_[name].clear();
    nameEnabled_[std::size_t(name)] = false;
}

bool OrderingRound::countPlaced()
{
    ++numSistemati_;
    return numSistemati_ == roundLength();
}
