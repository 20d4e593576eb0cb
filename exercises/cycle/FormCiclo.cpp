#include "FormCiclo.h"

#include "Controls.h"
#include "Design.h"
#include "DragLabel.h"
#include "DropLabel.h"
#include "Language.h"
#include "Palette.h"
#include "RandomSource.h"
#include "Services.h"

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

FormCiclo::FormCiclo(Finestra id, const Language &language, const Services &services,
                     QWidget *parent)
    : FormEsercizio(id, services, parent),
      round_(id == Finestra::Form6 ? language.daysCycle : language.monthsUpper)
{
    const std::vector<QRect> places = ring(id);
    for (int i = 0; i < round_.size(); ++i) {
        const QRect &p = places[std::size_t(i)];
        auto *place = new DropLabel(i, area());
        Controls::apply(place,
                        {QStringLiteral("Label3(%1)").arg(i), QStringLiteral("Label3"),
                         Design::arialBold(14.25), Palette::white(),
                         Design::rect(p.x(), p.y(), p.width(), p.height()), true, Qt::AlignCenter});
        label3_.push_back(place);
    }
    // Created after the places, so a card lies above any place it overlaps.
    for (int j = 0; j < round_.size(); ++j) {
        auto *card = new DragLabel(j, area());
        Controls::apply(card, {QStringLiteral("Label4(%1)").arg(j), QStringLiteral("Label4"),
                               Design::arialBold(14.25), Palette::yellow(),
                               Design::rect(cardLeft, cardTop, cardWidth, labelHeight), true,
                               Qt::AlignCenter});
        card->hide();
        label4_.push_back(card);
    }
    play(label4_, label3_);
    loadFinished();
}

void FormCiclo::NuovoEsercizio()
{
    CaricaColori();
    round_.NuovoEsercizio(services().random);
    for (int i = 0; i < round_.size(); ++i) {
        showPlace(i);
        moveDesigned(label4_[i], QPoint(Design::px(cardLeft), Design::px(cardTop)));
        showCard(i);
    }
}

Answer FormCiclo::Label3_DragDrop(int index, int source)
{
    const Answer answer = round_.judge(source, index);
    if (answer == Answer::Right) {
        round_.place(source);
        showPlace(index);
        showCard(source);
    }
    return answer;
}

bool FormCiclo::countRight()
{
    // The card just placed is the one on show.
    const int placed = round_.visibleCard();
    const bool complete = round_.countPlaced(placed);
    showCard(placed);
    if (!complete) {
        round_.PresentaParola(services().random);
        if (const int next = round_.visibleCard(); next >= 0)
            showCard(next);
    }
    return complete;
}

void FormCiclo::showPlace(int i)
{
    label3_[i]->setContent(round_.placeText(i));
}

void FormCiclo::showCard(int j)
{
    DragLabel *card = label4_[j];
    card->setText(round_.cardText(j));
    card->setVisible(round_.cardVisible(j));
}

Items FormCiclo::items() const
{
    return id() == Finestra::Form6 ? Items::Days : Items::Months;
}
