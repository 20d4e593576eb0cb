#include "FormCiclo.h"

#include "Controls.h"
#include "Design.h"
#include "DragLabel.h"
#include "DropLabel.h"
#include "Language.h"
#include "Lingua.h"
#include "Modulo1.h"
#include "Palette.h"

namespace {
constexpr int cardLeft = 3000;
constexpr int cardTop = 2000;
constexpr int cardWidth = 1995;
constexpr int labelHeight = 375;
} // namespace

std::vector<QRect> FormCiclo::ring(Finestra id)
{
    if (id == Finestra::Form6)
        return {{2940, 105, 2000, labelHeight},  {5565, 840, 1995, labelHeight},
                {6090, 2100, 1995, labelHeight}, {4620, 3255, 1995, labelHeight},
                {1365, 3255, 1995, labelHeight}, {420, 2205, 1995, labelHeight},
                {315, 840, 2505, labelHeight}};
    return {{2940, 105, 2000, labelHeight},  {4935, 735, 1995, labelHeight},
            {5775, 1260, 1995, labelHeight}, {6195, 1890, 1995, labelHeight},
            {5670, 2520, 1995, labelHeight}, {5250, 3150, 1995, labelHeight},
            {2730, 3885, 2505, labelHeight}, {840, 3255, 1995, labelHeight},
            {315, 2625, 1995, labelHeight},  {0, 1995, 1995, labelHeight},
            {315, 1365, 1995, labelHeight},  {945, 735, 2000, labelHeight}};
}

FormCiclo::FormCiclo(Finestra id, QWidget *parent)
    : FormEsercizio(id, parent),
      round_(id == Finestra::Form6 ? Language::of(Lingua::corrente()).daysCycle
                                   : Language::of(Lingua::corrente()).monthsUpper)
{
    const std::vector<QRect> places = ring(id);
    for (int i = 0; i < round_.size(); ++i) {
        const QRect &p = places[std::size_t(i)];
        auto *place = new DropLabel(i, pickUp(), area());
        Controls::apply(place,
                        {QStringLiteral("Label3(%1)").arg(i), QStringLiteral("Label3"),
                         Design::arialBold(14.25), Palette::white(),
                         Design::rect(p.x(), p.y(), p.width(), p.height()), true, Qt::AlignCenter});
        connect(place, &DropLabel::dropped, this,
                [this](int index, DragLabel *source) { Label3_DragDrop(index, source->index()); });
        label3_.push_back(place);
    }
    // Created after the places, so a card lies above any place it overlaps.
    for (int j = 0; j < round_.size(); ++j) {
        auto *card = new DragLabel(j, pickUp(), area());
        Controls::apply(card, {QStringLiteral("Label4(%1)").arg(j), QStringLiteral("Label4"),
                               Design::arialBold(14.25), Palette::yellow(),
                               Design::rect(cardLeft, cardTop, cardWidth, labelHeight), true,
                               Qt::AlignCenter});
        card->hide();
        label4_.push_back(card);
    }
    loadFinished();
}

void FormCiclo::NuovoEsercizio()
{
    CaricaColori();
    round_.NuovoEsercizio(Modulo1::random());
    for (int i = 0; i < round_.size(); ++i) {
        showPlace(i);
        moveDesigned(label4_[std::size_t(i)], QPoint(Design::px(cardLeft), Design::px(cardTop)));
        showCard(i);
    }
}

void FormCiclo::Label3_DragDrop(int index, int source)
{
    switch (round_.judge(source, index)) {
    case CycleRound::Answer::Ignored:
        return;
    case CycleRound::Answer::Wrong:
        SegnaErrato();
        return;
    case CycleRound::Answer::Right: {
        round_.place(source);
        showPlace(index);
        showCard(source);
        SegnaEsatto();
        const bool complete = round_.countPlaced(source);
        showCard(source);
        if (complete) {
            ConcludiEsercizio();
        } else {
            round_.PresentaParola(Modulo1::random());
            if (const int next = round_.visibleCard(); next >= 0)
                showCard(next);
        }
        return;
    }
    }
}

void FormCiclo::showPlace(int i)
{
    label3_[std::size_t(i)]->setContent(round_.placeText(i));
}

void FormCiclo::showCard(int j)
{
    DragLabel *card = label4_[std::size_t(j)];
    card->setText(round_.cardText(j));
    card->setVisible(round_.cardVisible(j));
}
