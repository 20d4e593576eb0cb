#include "PickUp.h"

#include "Controls.h"
#include "DragLabel.h"
#include "DropLabel.h"

#include <QAbstractButton>

#include <algorithm>

namespace {

// Moves the focus along `row` from `from`: round the ring, and from the end
// of a column back to its top.
template <typename Label> void step(const QList<Label *> &row, PlayLabel *from, PlayLabel::Step by)
{
    if (row.isEmpty())
        return;
    const qsizetype at = row.indexOf(static_cast<Label *>(from));
    qsizetype next = 0;
    switch (by) {
    case PlayLabel::Step::First:
        next = 0;
        break;
    case PlayLabel::Step::Last:
        next = row.size() - 1;
        break;
    case PlayLabel::Step::Next:
    case PlayLabel::Step::Previous: {
        const int delta = by == PlayLabel::Step::Next ? 1 : -1;
        next = at < 0 ? 0 : (at + delta + row.size()) % row.size();
        break;
    }
    }
    row[next]->setFocus(Qt::OtherFocusReason);
}

} // namespace

PickUp::PickUp(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("pickUp"));
}

void PickUp::play(const QList<DragLabel *> &cards, const QList<DropLabel *> &places,
                  QAbstractButton *avanti)
{
    cards_ = cards;
    places_ = places;
    std::sort(places_.begin(), places_.end(),
              [](const DropLabel *a, const DropLabel *b) { return a->index() < b->index(); });
    avanti_ = avanti;
    for (DragLabel *card : cards_) {
        connect(card, &PlayLabel::activated, this,
                [this, card](Route route) { tapCard(card, route); });
        connect(card, &PlayLabel::stepped, this,
                [this, card](PlayLabel::Step by) { step(playableCards(), card, by); });
        // A screen reader's toggle goes through the pick-up like any tap.
        connect(card, &QAbstractButton::toggled, this,
                [this, card](bool on) { cardToggled(card, on); });
        connect(card, &DragLabel::lifted, this, [this, card] { emit lifted(card); });
    }
    for (DropLabel *place : places_) {
        place->setCards(cards_);
        connect(place, &PlayLabel::activated, this,
                [this, place](Route route) { tapPlace(place, route); });
        connect(place, &PlayLabel::stepped, this,
                [this, place](PlayLabel::Step by) { step(this->places(), place, by); });
        connect(place, &DropLabel::reached, this,
                [this, place] { emit placeReached(place, false); });
        connect(place, &DropLabel::dropped, this, [this, place](int, DragLabel *card) {
            // A drag ends play with a picked-up card as a tap on a place does.
            putDown();
            emit moved(card, place, Route::Drag);
        });
    }
}

DragLabel *PickUp::picked() const
{
    return picked_ && picked_->playable() ? picked_.data() : nullptr;
}

void PickUp::setPicked(DragLabel *card)
{
    DragLabel *before = picked_;
    picked_ = card;
    if (before && before != card)
        before->setChecked(false);
    if (card)
        card->setChecked(true);
}

void PickUp::cardToggled(DragLabel *card, bool on)
{
    if (on == (picked_ == card))
        return;
    tapCard(card, Route::Switch);
    card->setChecked(picked_ == card);
}

void PickUp::tapCard(DragLabel *card, Route route)
{
    if (!card->playable())
        return;
    if (picked() == card) {
        putDown(true);
        return;
    }
    setPicked(card);
    emit held(card, true);
    if (route == Route::Keys) {
        // On to the places, the first empty one first.
        const QList<DropLabel *> all = places();
        const auto empty = std::find_if(all.begin(), all.end(), [](DropLabel *place) {
            return place->text().trimmed().isEmpty();
        });
        if (empty != all.end())
            (*empty)->setFocus(Qt::OtherFocusReason);
        else if (!all.isEmpty())
            all.first()->setFocus(Qt::OtherFocusReason);
    }
}

void PickUp::tapPlace(DropLabel *place, Route route)
{
    QPointer<DragLabel> card = picked();
    if (!card) {
        emit placeReached(place, true);
        return;
    }
    putDown();
    emit moved(card, place, route);
    if (route == Route::Keys && card)
        focusAfterDrop(card);
}

void PickUp::putDown(bool byChild)
{
    if (!picked_)
        return;
    QPointer<DragLabel> card = picked();
    setPicked(nullptr);
    if (byChild && card)
        emit held(card, false);
}

void PickUp::focusAfterDrop(DragLabel *dropped)
{
    if (avanti_ && avanti_->isVisibleTo(avanti_->window()) && avanti_->isEnabled()) {
        avanti_->setFocus(Qt::OtherFocusReason);
        return;
    }
    // A wrong answer leaves the card to be tried again; after a right one
    // the next card waits.
    if (dropped->playable()) {
        dropped->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QList<DragLabel *> cards = playableCards();
    if (!cards.isEmpty())
        cards.first()->setFocus(Qt::OtherFocusReason);
}

QList<DragLabel *> PickUp::playableCards() const
{
    QList<DragLabel *> cards;
    for (DragLabel *card : cards_) {
        if (card->playable())
            cards << card;
    }
    std::sort(cards.begin(), cards.end(), Controls::readingOrder);
    return cards;
}

QList<DropLabel *> PickUp::places() const
{
    QList<DropLabel *> shown;
    for (DropLabel *place : places_) {
        if (place->isVisibleTo(place->window()))
            shown << place;
    }
    return shown;
}

void PickUp::orderTabs()
{
    QList<QWidget *> chain(cards_.begin(), cards_.end());
    std::sort(chain.begin(), chain.end(), Controls::readingOrder);
    for (DropLabel *place : places())
        chain << place;
    if (avanti_)
        chain << avanti_;
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}
