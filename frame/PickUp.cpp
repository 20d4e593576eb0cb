#include "PickUp.h"

#include "DragLabel.h"
#include "DropLabel.h"

#include <QAbstractButton>
#include <QWidget>

#include <algorithm>

namespace {

// Top to bottom, then left to right: the order a child reads the cards in.
bool readingOrder(const QWidget *a, const QWidget *b)
{
    return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
}

} // namespace

PickUp::PickUp(QWidget *window) : QObject(window), window_(window)
{
    setObjectName(QStringLiteral("pickUp"));
}

DragLabel *PickUp::picked() const
{
    return picked_ && picked_->playable() ? picked_.data() : nullptr;
}

void PickUp::setPicked(DragLabel *card)
{
    DragLabel *before = picked_;
    picked_ = card;
    // Checked is what screen readers hear as held.
    if (before && before != card)
        before->setChecked(false);
    if (card)
        card->setChecked(true);
    for (DragLabel *changed : {before, card}) {
        if (changed)
            changed->update();
    }
}

void PickUp::tapCard(DragLabel *card, bool byKey)
{
    if (!card->playable())
        return;
    if (picked() == card) {
        putDown(true);
        return;
    }
    setPicked(card);
    emit held(card, true);
    if (byKey) {
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

void PickUp::tapPlace(DropLabel *place, bool byKey)
{
    QPointer<DragLabel> card = picked();
    if (!card) {
        // With nothing in hand, a tap on a written name says it.
        place->sayContent();
        return;
    }
    putDown();
    deliver(place, card);
    if (byKey)
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

void PickUp::deliver(DropLabel *place, DragLabel *card)
{
    const QString name = card->text().trimmed();
    QPointer<DropLabel> target = place;
    place->deliver(card);
    // A drop may end the round and lay out the next; the place stays.
    if (target)
        emit delivered(target, name);
}

void PickUp::focusAfterDrop(DragLabel *dropped)
{
    auto *avanti = window_->findChild<QAbstractButton *>(QStringLiteral("BottoneAvanti"));
    if (avanti && avanti->isVisibleTo(window_) && avanti->isEnabled()) {
        avanti->setFocus(Qt::OtherFocusReason);
        return;
    }
    // A wrong answer leaves the card to be tried again; after a right one
    // the next card waits.
    if (dropped && dropped->playable()) {
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
    for (DragLabel *card : window_->findChildren<DragLabel *>()) {
        if (card->playable())
            cards << card;
    }
    std::sort(cards.begin(), cards.end(), readingOrder);
    return cards;
}

QList<DropLabel *> PickUp::places() const
{
    QList<DropLabel *> all;
    for (DropLabel *place : window_->findChildren<DropLabel *>()) {
        if (place->isVisibleTo(window_))
            all << place;
    }
    std::sort(all.begin(), all.end(),
              [](const DropLabel *a, const DropLabel *b) { return a->index() < b->index(); });
    return all;
}

void PickUp::orderTabs()
{
    QList<QWidget *> chain;
    for (DragLabel *card : window_->findChildren<DragLabel *>())
        chain << card;
    std::sort(chain.begin(), chain.end(), readingOrder);
    for (DropLabel *place : places())
        chain << place;
    if (auto *avanti = window_->findChild<QAbstractButton *>(QStringLiteral("BottoneAvanti")))
        chain << avanti;
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}
